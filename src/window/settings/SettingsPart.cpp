// The setting commands and the sensor's confirmations of them.
#include "SettingsPart.h"

#include "Form4.h"
#include "core/command/CommandFlow.h"
#include "core/command/SettingCommands.h"
#include "core/config/SettingRules.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "window/session/SensorSession.h"
#include "window/widgets/ActionKeys.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

SettingsPart::SettingsPart(SensorSession &session, const SettingsControls &controls,
                           QWidget *window, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls), m_window(window)
{
    connect(m_ui.shift, &QPushButton::clicked, this, &SettingsPart::shift_Click);
    connect(m_ui.SetAir, &QPushButton::clicked, this, &SettingsPart::SetAir_Click);
    connect(m_ui.Dalnost, &QPushButton::clicked, this, &SettingsPart::Dalnost_Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &SettingsPart::Command1_Click);
    connect(m_ui.net, &QPushButton::clicked, this, &SettingsPart::net_Click);
    connect(m_ui.Vvod_PWD, &QPushButton::clicked, this, &SettingsPart::Vvod_PWD_Click);
    connect(m_ui.Chg_pass, &QPushButton::clicked, this, &SettingsPart::Chg_pass_Click);
    bindActionKeys({{m_ui.shift, Qt::Key_L}});

    m_session.claimConfirmations({Cmd::ShiftEmpty, Cmd::ShiftFull, Cmd::SetAir, Cmd::SetMinDistance,
                                  Cmd::SetMaxDistance, Cmd::SetNetAddress, Cmd::EnterPassword,
                                  Cmd::ChangePassword});
    connect(&m_session, &SensorSession::answerTaken, this, &SettingsPart::answered);
    connect(&m_session, &SensorSession::dataShown, this, &SettingsPart::showDistances);

    // Defaults that hold a decimal fraction are shown in the locale's own way, so that
    // they are valid input as they stand.
    const QLocale locale;
    for (QLineEdit *box : {m_ui.Tsr, m_ui.Psr})
        box->setText(QString(box->text()).replace(QLatin1Char(','), locale.decimalPoint()));
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
    sendRangedSetting(m_session.command(), levelShiftRule(true), levelShiftWindow()->shiftText());
}

void SettingsPart::sdv_low_Click()
{
    sendRangedSetting(m_session.command(), levelShiftRule(false), levelShiftWindow()->shiftText());
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

void SettingsPart::Dalnost_Click()
{
    sendRangedSetting(m_session.command(), maxDistanceRule(), m_ui.maxLong->text());
}

void SettingsPart::Command1_Click()
{
    sendRangedSetting(m_session.command(), minDistanceRule(), m_ui.lamp_level->text());
}

void SettingsPart::net_Click()
{
    TypedSetting s = netAddressRule();
    s.initial = m_session.selectedEntry();
    sendTypedSetting(m_session.command(), s);
}

void SettingsPart::Vvod_PWD_Click()
{
    // Whatever was pending is dropped, even if the operator then gives up.
    m_session.engine().dropPending();
    sendTypedSetting(m_session.command(), passwordRule(false));
}

void SettingsPart::Chg_pass_Click()
{
    m_session.engine().dropPending();
    sendTypedSetting(m_session.command(), passwordRule(true));
}

void SettingsPart::showDistances(const DataReadings &r)
{
    if (r.minDistance)
        m_ui.lamp_level->setText(QString::number(*r.minDistance));
    if (r.maxDistance)
        m_ui.maxLong->setText(QString::number(*r.maxDistance));
}

void SettingsPart::answered(quint8 code, const QByteArray &answer)
{
    switch (code) {
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
    case Cmd::SetAir:
    case Cmd::SetNetAddress:
    case Cmd::EnterPassword:
    case Cmd::ChangePassword:
        m_session.command().answered(code, answer);
        break;
    case Cmd::SetMinDistance:
        m_session.command().answered(code, answer);
        m_ui.lamp_level->setText(QString::number(byteAt(answer, 4).value_or(0)));
        break;
    case Cmd::SetMaxDistance:
        m_session.command().answered(code, answer);
        if (const auto maxDistance = leValue(answer, 4, 2))
            m_ui.maxLong->setText(QString::number(*maxDistance));
        break;
    default:
        break;
    }
}
