// The setting commands and the sensor's confirmations of them.
#include "SettingsPart.h"

#include "Form4.h"
#include "core/command/CommandFlow.h"
#include "core/command/SettingCommands.h"
#include "core/config/SettingRules.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "window/session/SensorSession.h"
#include "window/widgets/ActionKeys.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

using namespace levelconf;

namespace
{
// The commands this part gives, whose confirmations it shows.
const QList<quint8> kOwnSettings = {Cmd::ShiftEmpty,     Cmd::ShiftFull,      Cmd::SetAir,
                                    Cmd::SetMinDistance, Cmd::SetMaxDistance, Cmd::SetNetAddress,
                                    Cmd::EnterPassword,  Cmd::ChangePassword};
} // namespace

SettingsPart::SettingsPart(SensorSession &session, const SettingsControls &controls,
                           QWidget *window, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls), m_window(window)
{
    connect(m_ui.shift, &QPushButton::clicked, this, &SettingsPart::shift_Click);
    connect(m_ui.SetAir, &QPushButton::clicked, this, &SettingsPart::SetAir_Click);
    connect(m_ui.net, &QPushButton::clicked, this, &SettingsPart::net_Click);
    connect(m_ui.Vvod_PWD, &QPushButton::clicked, this, &SettingsPart::Vvod_PWD_Click);
    connect(m_ui.Chg_pass, &QPushButton::clicked, this, &SettingsPart::Chg_pass_Click);
    bindActionKeys({{m_ui.shift, Qt::Key_L}});
    bindBoxedSettings();

    m_session.claimConfirmations(kOwnSettings);
    connect(&m_session, &SensorSession::answerTaken, this, &SettingsPart::answered);
    connect(&m_session, &SensorSession::dataShown, this, &SettingsPart::showReadBack);

    // Defaults that hold a decimal fraction are shown in the locale's own way, so that
    // they are valid input as they stand.
    const QLocale locale;
    for (QLineEdit *box : {m_ui.Tsr, m_ui.Psr})
        box->setText(QString(box->text()).replace(QLatin1Char(','), locale.decimalPoint()));
}

void SettingsPart::bindBoxedSettings()
{
    for (const CommandRow &row : commandRows()) {
        if (!row.setting || !*row.setting->button || !*row.setting->box)
            continue;
        auto *button = m_window->findChild<QPushButton *>(QLatin1String(row.setting->button));
        auto *box = m_window->findChild<QLineEdit *>(QLatin1String(row.setting->box));
        Q_ASSERT(button && box);
        if (!button || !box)
            continue;
        m_boxed.push_back({row.code, box});
        connect(button, &QPushButton::clicked, this,
                [this, code = row.code] { giveSetting(code); });
    }
}

QLineEdit *SettingsPart::boxOf(quint8 code) const
{
    for (const BoxedSetting &s : m_boxed) {
        if (s.code == code)
            return s.box;
    }
    return nullptr;
}

Form4 *SettingsPart::levelShiftWindow()
{
    if (!m_levelShift) {
        m_levelShift = new Form4(m_window);
        connect(m_levelShift, &Form4::shiftFullRequested, this, &SettingsPart::sdv_hi_Click);
        connect(m_levelShift, &Form4::shiftEmptyRequested, this, &SettingsPart::sdv_low_Click);
    }
    return m_levelShift;
}

void SettingsPart::shift_Click()
{
    Form4 *f = levelShiftWindow();
    f->show();
    f->raise();
    f->activateWindow();
}

void SettingsPart::sdv_hi_Click()
{
    sendRangedSetting(m_session.command(), *rangedRule(Cmd::ShiftFull),
                      levelShiftWindow()->shiftText());
}

void SettingsPart::sdv_low_Click()
{
    sendRangedSetting(m_session.command(), *rangedRule(Cmd::ShiftEmpty),
                      levelShiftWindow()->shiftText());
}

void SettingsPart::SetAir_Click()
{
    const AirValue t = airTemperature(m_ui.Tsr->text());
    const AirValue p = airPressure(m_ui.Psr->text());
    const AirValue h = airHumidity(m_ui.Hsr->text());

    CommandFlow cmd = m_session.command();
    const QStringList refusal = airRefusal(t, p, h);
    if (!cmd.require(refusal.isEmpty(), refusal) || !cmd.addressSelected())
        return;
    cmd.queue(airRequest(cmd.address(), t.value, p.value, static_cast<quint8>(h.value)),
              airLogLine(t, p, h));
}

void SettingsPart::giveSetting(quint8 code)
{
    const std::optional<RangedSetting> rule = rangedRule(code);
    if (QLineEdit *box = boxOf(code); box && rule)
        sendRangedSetting(m_session.command(), *rule, box->text());
}

void SettingsPart::net_Click()
{
    TypedSetting s = *typedRule(Cmd::SetNetAddress);
    s.initial = m_session.selectedEntry();
    sendTypedSetting(m_session.command(), s);
}

void SettingsPart::Vvod_PWD_Click()
{
    // Whatever was pending is dropped, even if the operator then gives up.
    m_session.engine().dropPending();
    sendTypedSetting(m_session.command(), *typedRule(Cmd::EnterPassword));
}

void SettingsPart::Chg_pass_Click()
{
    m_session.engine().dropPending();
    sendTypedSetting(m_session.command(), *typedRule(Cmd::ChangePassword));
}

void SettingsPart::showReadBack(const DataReadings &r)
{
    for (const BoxedSetting &s : m_boxed) {
        if (const std::optional<quint32> v = settingReadBack(r, s.code))
            s.box->setText(QString::number(*v));
    }
}

void SettingsPart::answered(quint8 code, const QByteArray &answer)
{
    if (!kOwnSettings.contains(code))
        return;
    m_session.command().answered(code, answer);
    // The box shows what the sensor took; a confirmation too short to say keeps its text.
    const std::optional<quint32> echoed = echoedValue(code, answer);
    if (QLineEdit *box = boxOf(code); box && echoed)
        box->setText(QString::number(*echoed));
}
