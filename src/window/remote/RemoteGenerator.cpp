// Request lines for a remote server: the same frames the local commands send, written as
// text for a sensor out of reach of our port. Nothing here is sent on the local bus; the
// only thing done to the engine's pending request is to drop it.
#include "core/input/NumberInput.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/RequestLine.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/ModeWidgets.h"

#include <QClipboard>
#include <QGuiApplication>

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

// Caption of the value box per item; empty where the item takes no value.
const char *const kValueCaptions[ItemCount] = {"Enter figures-only password:",
                                               "",
                                               "",
                                               "Full value shift in lvl units",
                                               "Empty value shift in lvl units",
                                               "Set as full value",
                                               "Set as empty value",
                                               "",
                                               "Set as password"};

constexpr qint64 kMaxValue = 2000000000;
constexpr qint64 kMaxShift = 1000;

const QString kPasswordMessage =
    QStringLiteral("Enter figures-only password, acceptable values 0....2 000 000 000");
const QString kShiftMessage = QStringLiteral("Acceptable values -1000 to 1000");
const QString kLevelMessage = QStringLiteral("Enter level value from 0....2 000 000 000");

// The remote sensor's firmware switch: only a full tick counts, grey does not.
bool keyed(const Ui::frmSerial *ui)
{
    return ui->ch_ver->checkState() == Qt::Checked;
}

// The target address: a whole number 0 to 255, or nothing.
std::optional<quint8> targetAddress(const Ui::frmSerial *ui)
{
    const auto a = toWhole(ui->dist_net_num->text(), NumWidth::Int32);
    if (!a || *a < 0 || *a > 255)
        return std::nullopt;
    return static_cast<quint8>(*a);
}

// The value box as a whole number of `width` within [lo, hi]. A text that is not such a
// number is passed over silently, as the local commands do; a number out of range gets
// `message`.
std::optional<qint64> boundedValue(frmSerial &w, NumWidth width, qint64 lo, qint64 hi,
                                   const QString &message)
{
    const auto v = toWhole(w.form()->chislo_sdv->text(), width);
    if (v && *v >= lo && *v <= hi)
        return v;
    if (v)
        w.dialogs().MsgBox(message);
    return std::nullopt;
}

void showLine(frmSerial &w, const QByteArray &frame, int answerCount, bool echo)
{
    if (echo)
        w.out_win(frame);
    QLineEdit *box = w.form()->gen_txt;
    box->setText(requestLine(frame, answerCount));
    // Ready for Ctrl+C as soon as the operator clicks into the box.
    box->selectAll();
}

// Items 0 (enter) and 8 (change): a bad address gets the password message as well.
void generatePassword(frmSerial &w, bool change)
{
    Ui::frmSerial *ui = w.form();
    const auto p = toWhole(ui->chislo_sdv->text(), NumWidth::Int32);
    if (!p || *p < 0 || *p > kMaxValue) {
        w.dialogs().MsgBox(kPasswordMessage);
        return;
    }
    const auto a = targetAddress(ui);
    if (!a) {
        w.dialogs().MsgBox(kPasswordMessage);
        return;
    }
    showLine(w, passwordRequest(*a, change, static_cast<quint32>(*p), keyed(ui)), change ? 8 : 4,
             true);
}

void generateShift(frmSerial &w, bool full)
{
    Ui::frmSerial *ui = w.form();
    const auto a = targetAddress(ui);
    if (!a)
        return;
    const auto s = boundedValue(w, NumWidth::Int16, -kMaxShift, kMaxShift, kShiftMessage);
    if (!s)
        return;
    showLine(w, shiftRequest(*a, full, static_cast<qint16>(*s), keyed(ui)), full ? 10 : 8, false);
}

void generateDirectLevel(frmSerial &w, bool full)
{
    Ui::frmSerial *ui = w.form();
    const auto v = boundedValue(w, NumWidth::Int32, 0, kMaxValue, kLevelMessage);
    if (!v)
        return;
    const auto a = targetAddress(ui);
    if (!a)
        return;
    showLine(w, directLevelRequest(*a, full, static_cast<quint32>(*v), keyed(ui)), full ? 10 : 8,
             true);
}

ModeControls remoteModeControls(const Ui::frmSerial *ui)
{
    return readModeControls({{ui->r485d, ui->r_ad, ui->r_fd, ui->r_pd, ui->r_p485d},
                             ui->iinvd,
                             ui->usrednd,
                             ui->D_4096d,
                             ui->tartab1d,
                             ui->per_sentsd});
}

// The second mode byte: the filtration level shown beside the slider, with 0x80 when
// thermal compensation is to be turned off.
quint8 secondModeByte(const Ui::frmSerial *ui)
{
    bool ok = false;
    int level = ui->sglad->text().toInt(&ok);
    if (!ok || level < 0 || level > 0x7F)
        level = ui->Slider1d->value();
    quint8 b = static_cast<quint8>(level & 0x7F);
    if (ui->Termokompensd->checkState() == Qt::Checked)
        b |= 0x80;
    return b;
}
} // namespace

void frmSerial::connectRemote()
{
    connect(ui->VibGenCmd, &QComboBox::currentIndexChanged, this, &frmSerial::VibGenCmd_Click);
    connect(ui->gen_zapr, &QPushButton::clicked, this, &frmSerial::gen_zapr_Click);
    connect(ui->gen_copy, &QPushButton::clicked, this, [this] {
        const QString line = ui->gen_txt->text();
        if (!line.isEmpty())
            QGuiApplication::clipboard()->setText(line);
    });
    // The operator must be able to select and copy the line, never edit it.
    ui->gen_txt->setReadOnly(true);
}

void frmSerial::VibGenCmd_Click()
{
    ui->chislo_sdv->hide();
    ui->lchislo->hide();
    ui->Frame5->hide();
    const int item = ui->VibGenCmd->currentIndex();
    if (item < 0 || item >= ItemCount)
        return;
    if (item == ModeItem) {
        ui->Frame5->show();
        const bool second = keyed(ui.get());
        ui->Slider1d->setVisible(second);
        ui->Label25->setVisible(second);
        ui->sglad->setVisible(second);
        return;
    }
    const QString caption = QString::fromUtf8(kValueCaptions[item]);
    if (caption.isEmpty())
        return;
    ui->lchislo->setText(caption);
    ui->lchislo->show();
    ui->chislo_sdv->show();
}

void frmSerial::gen_zapr_Click()
{
    switch (ui->VibGenCmd->currentIndex()) {
    case EnterPasswordItem:
        Gen_in_PWDd();
        break;
    case StatusItem:
        gen_sost();
        break;
    case IdentityItem:
        gen_ser_ver();
        break;
    case ShiftFullItem:
        gen_sdv_full();
        break;
    case ShiftEmptyItem:
        gen_sdv_empty();
        break;
    case SetFullItem:
        gen_up_urDirect();
        break;
    case SetEmptyItem:
        gen_down_urDirect();
        break;
    case ModeItem:
        gen_mode();
        break;
    case SetPasswordItem:
        gen_ust_pwd();
        break;
    default:
        break; // nothing picked
    }
}

// Every builder first drops a pending local request: after a generation nothing is left
// for the engine to send, whether the input was accepted or not.

void frmSerial::Gen_in_PWDd()
{
    exchangeEngine->dropPending();
    generatePassword(*this, false);
}

void frmSerial::gen_sost()
{
    exchangeEngine->dropPending();
    const auto a = targetAddress(ui.get());
    if (!a)
        return;
    // Newer firmware answers the data request with one byte more.
    showLine(*this, dataRequest(*a), keyed(ui.get()) ? 24 : 23, false);
}

void frmSerial::gen_ser_ver()
{
    exchangeEngine->dropPending();
    const auto a = targetAddress(ui.get());
    if (!a)
        return;
    showLine(*this, identityRequest(*a), 10, false);
}

void frmSerial::gen_sdv_full()
{
    exchangeEngine->dropPending();
    generateShift(*this, true);
}

void frmSerial::gen_sdv_empty()
{
    exchangeEngine->dropPending();
    generateShift(*this, false);
}

void frmSerial::gen_up_urDirect()
{
    exchangeEngine->dropPending();
    generateDirectLevel(*this, true);
}

void frmSerial::gen_down_urDirect()
{
    exchangeEngine->dropPending();
    generateDirectLevel(*this, false);
}

void frmSerial::gen_mode()
{
    exchangeEngine->dropPending();
    const quint8 m = modeByte(remoteModeControls(ui.get()));
    const auto a = targetAddress(ui.get());
    if (!a)
        return;
    const bool key = keyed(ui.get());
    const std::optional<quint8> second =
        key ? std::optional<quint8>(secondModeByte(ui.get())) : std::nullopt;
    showLine(*this, modeRequest(*a, m, key, second), key ? 6 : 5, true);
}

void frmSerial::gen_ust_pwd()
{
    exchangeEngine->dropPending();
    generatePassword(*this, true);
}
