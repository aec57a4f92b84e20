// The mode byte and echo selection shown in the mode controls, and the command that
// sets them.
#include "MonitorPart.h"

#include "core/command/CommandFlow.h"
#include "core/config/SettingRules.h"
#include "core/input/NumberInput.h"
#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/Requests.h"
#include "core/sensor/ModeByte.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ModeWidgets.h"
#include "window/widgets/OptionButtons.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

using namespace levelconf;

namespace
{
// The frequency a sensor in frequency mode reports, where the distance stands.
const char *const kFrequencyLevel = QT_TRANSLATE_NOOP("MonitorPart", "%1 Гц.");
const char *const kModeDamaged =
    QT_TRANSLATE_NOOP("MonitorPart", "Mode answer damaged: not confirmed.");
Qt::CheckState checkState(bool on)
{
    return on ? Qt::Checked : Qt::Unchecked;
}
} // namespace

void MonitorPart::showModes(quint8 mode)
{
    const ModeFlags f = decodeModeByte(mode);
    m_ui.iinv->setChecked(f.inverted);
    // The table editor keeps these two flags with the table; the main window mirrors them.
    m_session.setTableFlags(checkState(f.litres), checkState(f.percent));
    m_ui.D_4096->setChecked(f.range4096);
    m_levelBarRange = progressRange(f.range4096, m_range256);

    if (f.output) {
        QRadioButton *const buttons[] = {m_ui.R485, m_ui.R_a, m_ui.R_f, m_ui.R_p, m_ui.R_p485};
        selectOption(buttons[static_cast<int>(*f.output)],
                     {m_ui.R485, m_ui.R_a, m_ui.R_f, m_ui.R_p, m_ui.R_p485});
    }

    m_ui.usredn->setChecked(f.filtration);
    m_followSettings = false;
    m_modeText = QString::number(mode);
}

void MonitorPart::showTableFlags()
{
    m_ui.tartab1->setCheckState(m_session.litresFlag());
    m_ui.per_sents->setCheckState(m_session.percentFlag());
}

void MonitorPart::showEchoSelection(quint8 settings)
{
    const EchoSelection s = decodeEchoByte(settings);
    QRadioButton *on = s.choice == EchoChoice::FirstLast ? m_ui.opFirstLast
                       : s.choice == EchoChoice::Last    ? m_ui.opLast
                                                         : m_ui.opFirst;
    selectOption(on, {m_ui.opFirstLast, m_ui.opFirst, m_ui.opLast});
    m_ui.sgla->setText(QString::number(s.level));
    m_ui.Slider1->setValue(s.level);
}

void MonitorPart::Slider1_Change()
{
    m_ui.sgla->setText(QString::number(m_ui.Slider1->value()));
}

void MonitorPart::modeConfirmed(const QByteArray &answer)
{
    // The sensor echoes the mode it took; newer firmware adds its echo selection.
    showModes(byteAt(answer, 4).value_or(0));
    if (answer.size() > 5 && capabilities().echoInModeAnswer)
        showEchoSelection(byteAt(answer, 5).value_or(0));
}

void MonitorPart::answerDamaged(quint8 code, const QByteArray &answer)
{
    if (code == Cmd::SetMode)
        m_session.command().damagedAnswer(code, loggedText("MonitorPart", kModeDamaged),
                                          QStringLiteral("Mode answer damaged: "), answer);
}

void MonitorPart::Set_mode_Click()
{
    // The percent and litre flags are chosen in the table editor.
    showTableFlags();

    const quint8 m =
        modeByte(readModeControls({{m_ui.R485, m_ui.R_a, m_ui.R_f, m_ui.R_p, m_ui.R_p485},
                                   m_ui.iinv,
                                   m_ui.usredn,
                                   m_ui.D_4096,
                                   m_ui.tartab1,
                                   m_ui.per_sents}));

    CommandFlow cmd = m_session.command();
    if (!cmd.sensorConnected(modeNotConnectedLog()) || !cmd.addressSelected() ||
        !cmd.confirmed(modeQuestion()))
        return;
    cmd.log(modeLogLine(m, m_ui.sgla->text()));

    std::optional<quint8> second;
    if (capabilities().secondModeByte) {
        // The label mirrors the slider; should it ever hold something else, the slider
        // has the level.
        const std::optional<qint64> shown = toWhole(m_ui.sgla->text(), NumWidth::Byte);
        const auto level = static_cast<quint8>(shown ? *shown : m_ui.Slider1->value());
        second = secondModeByte(level, m_ui.opLast->isChecked(), m_ui.opFirstLast->isChecked());
    }
    cmd.queue(modeRequest(cmd.address(), m, cmd.withKey(), second), QString(),
              CommandFlow::Echo::Yes, CommandFlow::Refresh::Yes);
}

void MonitorPart::frequencyAnswer(const QByteArray &answer)
{
    m_session.display().showStatus(tr("Sensor set to Frequency mode."));
    // The frequency comes high byte first; an answer too short to hold it leaves the
    // last one shown.
    if (const auto f = beValue16(answer, 4)) {
        m_frequencyLevel = loggedText("MonitorPart", kFrequencyLevel).arg(*f);
        m_ui.Uroven->setText(m_frequencyLevel.shown);
    }
}
