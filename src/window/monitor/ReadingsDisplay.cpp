// A data answer shown in the readings.
#include "MonitorPart.h"

#include "core/sensor/DataAnswer.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/widgets/Colours.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>

using namespace levelconf;

namespace
{
QColor lampColour(StabilityLamp lamp)
{
    switch (lamp) {
    case StabilityLamp::Green:
        return Colours::StabGreen;
    case StabilityLamp::Red:
        return Colours::Red;
    case StabilityLamp::Yellow:
        break;
    }
    return Colours::StabYellow;
}
} // namespace

void MonitorPart::showData(const QByteArray &answer)
{
    const QLocale locale;
    const DataReadings r = decodeDataAnswer(answer, m_followSettings);

    StabilityLamp lamp = StabilityLamp::Yellow;
    if (r.amplitude) {
        m_ui.tek->setText(QString::number(*r.amplitude));
        const StabilityStep s =
            nextStability({m_stabAverage, m_stabCount, m_stabHold}, *r.amplitude);
        m_stabAverage = s.state.avg;
        m_stabCount = s.state.cnt;
        m_stabHold = s.state.hold;
        lamp = s.lamp;
        setFill(m_ui.ind_stab, lampColour(s.lamp));
    }
    if (r.temperature)
        m_ui.temp->setText(temperatureText(*r.temperature));
    if (r.address)
        m_ui.ne->setText(QString::number(*r.address));
    if (r.output) {
        m_ui.ProgressBar1->setMaximum(m_levelBarRange);
        if (int(*r.output) < m_levelBarRange)
            m_ui.ProgressBar1->setValue(*r.output);
        m_ui.Uroven->setText(distanceText(*r.output, locale));
        m_ui.freq->setText(frequencyText(*r.output));
        m_ui.anal->setText(analogText(*r.output, m_ui.D_4096->isChecked(), locale));
    }
    if (r.emptyValue)
        m_ui.lo->setText(QString::number(*r.emptyValue));
    if (r.fullValue)
        m_ui.hi->setText(QString::number(*r.fullValue));
    if (r.k)
        m_ui.ko->setText(QString::number(*r.k));
    if (r.balance)
        m_ui.kko->setText(shortestDecimal(*r.balance, locale));
    if (r.echoByte)
        showEchoSelection(*r.echoByte);
    if (r.modeByte)
        showModes(*r.modeByte);
    // The distances it holds go to their settings boxes, and the trend takes the reading.
    emit m_session.dataShown(r, lamp, m_ui.D_4096->isChecked());

    if (r.failedStep != 0) {
        // An answer without the calibration values usually means an uncalibrated sensor;
        // say so once, not every second, until the operator sends a command.
        const bool warn = !m_calibrationWarned;
        m_calibrationWarned = true;
        if (warn && r.progress == 0)
            m_session.dialogs().MsgBox(tr("Change empty value"));
        else if (warn && r.progress == 1)
            m_session.dialogs().MsgBox(tr("Change full value"));
        return;
    }

    if (r.warningCm)
        m_ui.Kalibr_warning->setText(calibrationWarningText(*r.warningCm));

    if (m_session.portOpen()) {
        const QString sep = QStringLiteral(", ");
        // The log has the readings as the described set shows them, whatever the language.
        m_session.log(logged(m_ui.Uroven) + sep + logged(m_ui.tek) + sep + logged(m_ui.lo) + sep +
                      logged(m_ui.hi) + sep + m_modeText + sep + logged(m_ui.temp));
    }
}
