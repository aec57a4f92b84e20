// The setting commands and the sensor's confirmations of them.
#include "SettingsPart.h"

#include "Form4.h"
#include "core/config/SettingRules.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Confirmations.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/protocol/Requests.h"
#include "core/sensor/DataAnswer.h"
#include "core/text/Translations.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/ConfigCommand.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/Colours.h"

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
    queueRangedSetting(m_session, levelShiftRule(true), levelShiftWindow()->shiftText());
}

void SettingsPart::sdv_low_Click()
{
    queueRangedSetting(m_session, levelShiftRule(false), levelShiftWindow()->shiftText());
}

void SettingsPart::SetAir_Click()
{
    const AirValue t = airTemperature(m_ui.Tsr->text());
    const AirValue p = airPressure(m_ui.Psr->text());
    const AirValue h = airHumidity(m_ui.Hsr->text());

    ConfigCommand cmd(m_session);
    const QStringList refusal = airRefusal(t, p, h);
    if (!cmd.require(refusal.isEmpty(), refusal) || !cmd.addressSelected())
        return;
    cmd.queue(airRequest(cmd.address(), t.value, p.value, static_cast<quint8>(h.value)),
              airLogLine(t, p, h), ConfigCommand::Echo::No, ConfigCommand::Refresh::No);
}

void SettingsPart::Dalnost_Click()
{
    queueRangedSetting(m_session, maxDistanceRule(), m_ui.maxLong->text());
}

void SettingsPart::Command1_Click()
{
    queueRangedSetting(m_session, minDistanceRule(), m_ui.lamp_level->text());
}

void SettingsPart::net_Click()
{
    TypedSetting s = netAddressRule();
    s.initial = m_session.selectedEntry();
    queueTypedSetting(m_session, s);
}

void SettingsPart::Vvod_PWD_Click()
{
    // Whatever was pending is dropped, even if the operator then gives up.
    m_session.engine().dropPending();
    queueTypedSetting(m_session, passwordRule(false));
}

void SettingsPart::Chg_pass_Click()
{
    m_session.engine().dropPending();
    queueTypedSetting(m_session, passwordRule(true));
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
    if (carriesData(code))
        return;
    SessionDisplay &display = m_session.display();
    const auto row = confirmationFor(code);
    if (!row) {
        display.showStatus(tr(" Wrong data! "));
        m_session.log(QStringLiteral("Wrong data!"));
        m_session.beep(400, 800);
        m_session.dialogs().MsgBox(tr("Wrong response"));
        m_session.log(QStringLiteral("Wrong response"));
        m_session.beep(400, 800);
        return;
    }

    if (row->redCaption)
        display.setStatusColour(Colours::Red);
    display.showStatus(translatedText("Confirmations", row->caption));
    QString logLine = row->logLine;
    const auto maxDistance = leValue(answer, 4, 2);
    if (code == Cmd::SetMaxDistance && maxDistance)
        logLine += QLatin1Char(' ') + QString::number(*maxDistance);
    if (!logLine.isEmpty())
        m_session.log(logLine);
    if (row->tone)
        m_session.beep(1000, 100);
    if (row->wrongTone)
        m_session.beep(400, 800);

    if (code == Cmd::SetMinDistance)
        m_ui.lamp_level->setText(QString::number(byteAt(answer, 4).value_or(0)));
    else if (code == Cmd::SetMaxDistance && maxDistance)
        m_ui.maxLong->setText(QString::number(*maxDistance));
}
