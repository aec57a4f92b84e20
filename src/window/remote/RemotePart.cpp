// Request lines for a remote server.
#include "RemotePart.h"

#include "core/input/NumberInput.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/RequestLine.h"
#include "core/protocol/Requests.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/ModeWidgets.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using namespace levelconf;

namespace
{
// The picker's items, in the order they are added at load.
enum Item {
    EnterPasswordItem,
    StatusItem,
    IdentityItem,
    ShiftFullItem,
    ShiftEmptyItem,
    SetFullItem,
    SetEmptyItem,
    ModeItem,
    SetPasswordItem,
    ItemCount
};

const char *const kItems[ItemCount] = {
    QT_TRANSLATE_NOOP("RemotePart", "Ввести пароль"),
    QT_TRANSLATE_NOOP("RemotePart", "Запрс состояния"),
    QT_TRANSLATE_NOOP("RemotePart", "Запрсить версию прошивки и серийный номер"),
    QT_TRANSLATE_NOOP("RemotePart", "Сдвинуть уровень полного"),
    QT_TRANSLATE_NOOP("RemotePart", "Сдвинуть уровень пустого"),
    QT_TRANSLATE_NOOP("RemotePart", "Установить уровень полного"),
    QT_TRANSLATE_NOOP("RemotePart", "Установить уровень пустого"),
    QT_TRANSLATE_NOOP("RemotePart", "Set mode"),
    QT_TRANSLATE_NOOP("RemotePart", "Set password")};

// Caption of the value box per item; empty where the item takes no value.
const char *const kValueCaptions[ItemCount] = {
    QT_TRANSLATE_NOOP("RemotePart", "Enter figures-only password:"),
    "",
    "",
    QT_TRANSLATE_NOOP("RemotePart", "Full value shift in lvl units"),
    QT_TRANSLATE_NOOP("RemotePart", "Empty value shift in lvl units"),
    QT_TRANSLATE_NOOP("RemotePart", "Set as full value"),
    QT_TRANSLATE_NOOP("RemotePart", "Set as empty value"),
    "",
    QT_TRANSLATE_NOOP("RemotePart", "Set as password")};

// The values a setting takes are the command table's; the messages are this page's own.
const SettingEntry &entryOf(quint8 code)
{
    return *commandRow(code)->setting;
}

const char *const kPasswordMessage = QT_TRANSLATE_NOOP(
    "RemotePart", "Enter figures-only password, acceptable values 0....2 000 000 000");
const char *const kShiftMessage =
    QT_TRANSLATE_NOOP("RemotePart", "Acceptable values -1000 to 1000");
const char *const kLevelMessage =
    QT_TRANSLATE_NOOP("RemotePart", "Enter level value from 0....2 000 000 000");
} // namespace

RemotePart::RemotePart(SensorSession &session, const RemoteControls &controls, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls)
{
    connect(m_ui.VibGenCmd, &QComboBox::currentIndexChanged, this, &RemotePart::VibGenCmd_Click);
    connect(m_ui.gen_zapr, &QPushButton::clicked, this, &RemotePart::gen_zapr_Click);
    connect(m_ui.gen_copy, &QPushButton::clicked, this, [this] {
        const QString line = m_ui.gen_txt->text();
        if (!line.isEmpty())
            QGuiApplication::clipboard()->setText(line);
    });
    connect(m_ui.Slider1d, &QSlider::valueChanged, this, &RemotePart::Slider1d_Click);
    connect(m_ui.ch_ver, &QCheckBox::clicked, this, &RemotePart::ch_ver_Click);
    // The operator must be able to select and copy the line, never edit it.
    m_ui.gen_txt->setReadOnly(true);
    bindActionKeys({{m_ui.gen_zapr, Qt::Key_G}, {m_ui.gen_copy, Qt::Key_P}});

    // While a port is open the local commands are the way to a sensor.
    connect(&m_session, &SensorSession::portOpened, this,
            [this] { m_ui.gen_zapr->setVisible(false); });
    connect(&m_session, &SensorSession::portClosed, this, [this] {
        m_ui.gen_zapr->setVisible(true);
        m_ui.gen_zapr->setEnabled(true);
    });
}

void RemotePart::start()
{
    {
        const QSignalBlocker quiet(m_ui.VibGenCmd);
        m_ui.VibGenCmd->clear();
        for (const char *item : kItems)
            m_ui.VibGenCmd->addItem(tr(item));
        m_ui.VibGenCmd->setCurrentIndex(0);
    }
    VibGenCmd_Click();
    ch_ver_Click();
}

bool RemotePart::keyed() const
{
    // The remote sensor's firmware switch: only a full tick counts, grey does not.
    return m_ui.ch_ver->checkState() == Qt::Checked;
}

std::optional<quint8> RemotePart::targetAddress() const
{
    const auto a = toWhole(m_ui.dist_net_num->text(), NumWidth::Int32);
    if (!a || *a < 0 || *a > 255)
        return std::nullopt;
    return static_cast<quint8>(*a);
}

// A text that is not such a number is passed over silently, as the local commands do; a
// number out of range gets `message`.
std::optional<qint64> RemotePart::boundedValue(NumWidth width, qint64 lo, qint64 hi,
                                               const QString &message) const
{
    const auto v = toWhole(m_ui.chislo_sdv->text(), width);
    if (v && *v >= lo && *v <= hi)
        return v;
    if (v)
        m_session.dialogs().MsgBox(message);
    return std::nullopt;
}

// The filtration level shown beside the slider, with 0x80 when thermal compensation is to
// be turned off.
quint8 RemotePart::remoteSecondModeByte() const
{
    bool ok = false;
    int level = m_ui.sglad->text().toInt(&ok);
    if (!ok || level < 0 || level > 0x7F)
        level = m_ui.Slider1d->value();
    quint8 b = static_cast<quint8>(level & 0x7F);
    if (m_ui.Termokompensd->checkState() == Qt::Checked)
        b |= 0x80;
    return b;
}

void RemotePart::showLine(const QByteArray &frame, int answerCount, bool echo)
{
    if (echo)
        m_session.display().echoFrame(frame);
    m_ui.gen_txt->setText(requestLine(frame, answerCount));
    // Ready for Ctrl+C as soon as the operator clicks into the box.
    m_ui.gen_txt->selectAll();
}

void RemotePart::setSecondModeByteVisible(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(m_ui.Slider1d), static_cast<QWidget *>(m_ui.Label25),
                       static_cast<QWidget *>(m_ui.sglad)})
        w->setVisible(on);
}

void RemotePart::VibGenCmd_Click()
{
    m_ui.chislo_sdv->hide();
    m_ui.lchislo->hide();
    m_ui.Frame5->hide();
    const int item = m_ui.VibGenCmd->currentIndex();
    if (item < 0 || item >= ItemCount)
        return;
    if (item == ModeItem) {
        m_ui.Frame5->show();
        setSecondModeByteVisible(keyed());
        return;
    }
    const QString caption = *kValueCaptions[item] ? tr(kValueCaptions[item]) : QString();
    if (caption.isEmpty())
        return;
    m_ui.lchislo->setText(caption);
    m_ui.lchislo->show();
    m_ui.chislo_sdv->show();
}

void RemotePart::ch_ver_Click()
{
    const bool on = keyed();
    setSecondModeByteVisible(on);
    for (QWidget *w :
         {static_cast<QWidget *>(m_ui.Termokompensd), static_cast<QWidget *>(m_ui.tartab1d),
          static_cast<QWidget *>(m_ui.per_sentsd)})
        w->setVisible(on);
}

void RemotePart::pageChanged()
{
    setSecondModeByteVisible(keyed());
}

void RemotePart::Slider1d_Click()
{
    m_ui.sglad->setText(QString::number(m_ui.Slider1d->value()));
}

void RemotePart::gen_zapr_Click()
{
    const int item = m_ui.VibGenCmd->currentIndex();
    if (item < 0 || item >= ItemCount)
        return; // nothing picked
    m_session.engine().dropPending();
    switch (item) {
    case EnterPasswordItem:
    case SetPasswordItem:
        generatePassword(item == SetPasswordItem);
        break;
    case StatusItem:
        generateStatusRequest();
        break;
    case IdentityItem:
        generateIdentityRequest();
        break;
    case ShiftFullItem:
    case ShiftEmptyItem:
        generateShift(item == ShiftFullItem);
        break;
    case SetFullItem:
    case SetEmptyItem:
        generateDirectLevel(item == SetFullItem);
        break;
    case ModeItem:
        generateMode();
        break;
    default:
        break;
    }
}

// A bad address gets the password message as well.
void RemotePart::generatePassword(bool change)
{
    const SettingEntry &e = entryOf(change ? Cmd::ChangePassword : Cmd::EnterPassword);
    const auto p = toWhole(m_ui.chislo_sdv->text(), NumWidth::Int32);
    if (!p || *p < e.lowest || *p > e.highest) {
        m_session.dialogs().MsgBox(tr(kPasswordMessage));
        return;
    }
    const auto a = targetAddress();
    if (!a) {
        m_session.dialogs().MsgBox(tr(kPasswordMessage));
        return;
    }
    showLine(passwordRequest(*a, change, static_cast<quint32>(*p), keyed()), change ? 8 : 4, true);
}

void RemotePart::generateStatusRequest()
{
    const auto a = targetAddress();
    if (!a)
        return;
    // Newer firmware answers the data request with one byte more.
    showLine(dataRequest(*a), keyed() ? 24 : 23, false);
}

void RemotePart::generateIdentityRequest()
{
    const auto a = targetAddress();
    if (!a)
        return;
    showLine(identityRequest(*a), 10, false);
}

void RemotePart::generateShift(bool full)
{
    const auto a = targetAddress();
    if (!a)
        return;
    const SettingEntry &e = entryOf(full ? Cmd::ShiftFull : Cmd::ShiftEmpty);
    const auto s = boundedValue(NumWidth::Int16, e.lowest, e.highest, tr(kShiftMessage));
    if (!s)
        return;
    showLine(shiftRequest(*a, full, static_cast<qint16>(*s), keyed()), full ? 10 : 8, false);
}

void RemotePart::generateDirectLevel(bool full)
{
    const SettingEntry &e = entryOf(full ? Cmd::SetFullDirect : Cmd::SetEmptyDirect);
    const auto v = boundedValue(NumWidth::Int32, e.lowest, e.highest, tr(kLevelMessage));
    if (!v)
        return;
    const auto a = targetAddress();
    if (!a)
        return;
    showLine(directLevelRequest(*a, full, static_cast<quint32>(*v), keyed()), full ? 10 : 8, true);
}

void RemotePart::generateMode()
{
    const quint8 m =
        modeByte(readModeControls({{m_ui.r485d, m_ui.r_ad, m_ui.r_fd, m_ui.r_pd, m_ui.r_p485d},
                                   m_ui.iinvd,
                                   m_ui.usrednd,
                                   m_ui.D_4096d,
                                   m_ui.tartab1d,
                                   m_ui.per_sentsd}));
    const auto a = targetAddress();
    if (!a)
        return;
    const bool key = keyed();
    const std::optional<quint8> second =
        key ? std::optional<quint8>(remoteSecondModeByte()) : std::nullopt;
    showLine(modeRequest(*a, m, key, second), key ? 6 : 5, true);
}
