// The monitor's wiring: its controls, what the engine brings it and what the port's
// opening and closing do to it.
#include "MonitorPart.h"

#include "core/command/CommandFlow.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/session/SensorSession.h"
#include "window/widgets/ActionKeys.h"
#include "window/widgets/Colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

using namespace levelconf;

MonitorPart::MonitorPart(SensorSession &session, const MonitorControls &controls, QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls)
{
    connect(m_ui.Opros, &QPushButton::clicked, this, &MonitorPart::Opros_Click);
    // Only the operator's pick: the lists the program fills select their entry itself.
    connect(m_ui.CmbNet, &QComboBox::activated, this, &MonitorPart::CmbNet_Click);
    connect(m_ui.Slider1, &QSlider::valueChanged, this, &MonitorPart::Slider1_Change);
    connect(m_ui.Set_mode, &QPushButton::clicked, this, &MonitorPart::Set_mode_Click);
    bindActionKeys({{m_ui.Opros, Qt::Key_E}});
    // The distance is shown large; where "No data" is longer in the language shown than the
    // room the form gives it, the column widens rather than cut it.
    QLabel *distance = m_ui.Uroven;
    distance->setMinimumWidth(
        qMax(distance->minimumWidth(), distance->fontMetrics().horizontalAdvance(noDataText())));

    ExchangeEngine &e = m_session.engine();
    m_session.claimConfirmations({Cmd::SetMode});
    connect(&m_session, &SensorSession::answerTaken, this, &MonitorPart::answered);
    connect(&m_session, &SensorSession::answerDamaged, this, &MonitorPart::answerDamaged);
    connect(&e, &ExchangeEngine::searchAnswered, this, &MonitorPart::showSearch);
    // A table write is followed by the mode, with the table's flags that make the sensor
    // use it.
    connect(&e, &ExchangeEngine::modeResendDue, this, &MonitorPart::Set_mode_Click);
    // Sending a command lets the data decoder's message come once more.
    connect(&e, &ExchangeEngine::operatorRequestDue, this, [this] { m_calibrationWarned = false; });
    connect(&e, &ExchangeEngine::frameChosen, this, [this] {
        // The level-stability hold runs down by one a tick, answer or not.
        m_stabHold = m_stabHold > 0 ? m_stabHold - 1 : 0;
    });

    connect(&m_session, &SensorSession::portOpened, this, &MonitorPart::portOpened);
    connect(&m_session, &SensorSession::portClosed, this, &MonitorPart::portClosed);
    connect(&m_session, &SensorSession::portFailed, this, &MonitorPart::clearReadings);
    connect(&m_session, &SensorSession::sensorSettingsWanted, this,
            &MonitorPart::followSensorSettings);
    connect(&m_session, &SensorSession::litresFlagChanged, this,
            [this] { m_ui.tartab1->setCheckState(m_session.litresFlag()); });
    connect(&m_session, &SensorSession::percentFlagChanged, this,
            [this] { m_ui.per_sents->setCheckState(m_session.percentFlag()); });
}

void MonitorPart::start()
{
    m_followSettings = true;
    m_levelBarRange = 1024;
    m_calibrationWarned = false;
    m_stabAverage = 0;
    m_stabCount = 0;
    m_stabHold = 0;
    m_ui.CmbNet->clear();
    m_ui.CmbNet->addItem(QStringLiteral("0"));
    m_ui.CmbNet->setCurrentIndex(0);
    m_ui.ProgressBar1->setValue(621);
    // The described texts show the coefficient bare, after a Latin placeholder; the
    // translations caption it and start it as the other readings start.
    if (m_session.language() != Language::Described) {
        m_ui.lblKo->setText(tr("Coefficient K"));
        m_ui.lblKo->setVisible(true);
        m_ui.ko->setText(noDataText());
    }
}

std::optional<QString> MonitorPart::selectedEntry() const
{
    if (m_ui.CmbNet->currentIndex() < 0)
        return std::nullopt;
    return m_ui.CmbNet->currentText();
}

QString MonitorPart::logged(const QLabel *reading) const
{
    const QString text = reading->text();
    if (text == noDataText())
        return QString::fromLatin1(kNoData);
    return text == m_frequencyLevel.shown ? m_frequencyLevel.logged : text;
}

bool MonitorPart::answering() const
{
    return m_ui.tek->text() != noDataText();
}

QString MonitorPart::presentLevel() const
{
    return logged(m_ui.Uroven);
}

std::optional<FirmwareCapabilities> MonitorPart::capabilitiesAt(quint8 address) const
{
    if (m_fwAddress != address)
        return std::nullopt;
    return capabilities();
}

void MonitorPart::answered(quint8 code, const QByteArray &answer)
{
    switch (code) {
    case Cmd::ReadIdentity:
        identityAnswer(answer);
        break;
    case Cmd::ReadData:
        showData(answer);
        break;
    case Cmd::FrequencyMode:
        frequencyAnswer(answer);
        break;
    case Cmd::SetMode:
        // The status, the log line and the tone, then the mode controls as the sensor has them.
        m_session.command().answered(code, answer);
        modeConfirmed(answer);
        break;
    default:
        break;
    }
}

void MonitorPart::portOpened()
{
    // The calibration balance means nothing while the sensor is being read.
    m_ui.Label10->setVisible(false);
    m_ui.kko->setVisible(false);
}

void MonitorPart::portClosed()
{
    m_ui.Label10->setVisible(true);
    m_ui.kko->setVisible(true);
    m_ui.Label10->setEnabled(true);
    m_ui.kko->setEnabled(true);

    m_ui.CmbNet->clear();
    m_ui.CmbNet->addItem(QStringLiteral("0"));
    m_ui.CmbNet->setCurrentIndex(0);

    m_ui.sn->setText(QStringLiteral("0"));
    // The described texts drop the caption's word here; the translations keep it.
    m_ui.vv->setText(tr("--------", "firmware version of no sensor"));
    m_ui.netdev->setText(QStringLiteral("---------"));
    clearReadings();
}

void MonitorPart::clearReadings()
{
    const QString noData = noDataText();
    // Frequency and analog output are readings too: left alone they would show the last
    // sensor's values as if it were still connected.
    for (QLabel *reading :
         {m_ui.tek, m_ui.temp, m_ui.Uroven, m_ui.lo, m_ui.hi, m_ui.ne, m_ui.freq, m_ui.anal})
        reading->setText(noData);
    m_ui.ProgressBar1->setValue(0);
    m_ui.Kalibr_warning->setText(QString());
    for (QLabel *label : {m_ui.hi, m_ui.h, m_ui.Label19})
        setBackColour(label, QColor());
    setFill(m_ui.ind_stab, Colours::StabOff);
}
