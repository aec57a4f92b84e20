// The "FW Update" page: choosing the image, checking it, and running the update with its
// progress and its outcome shown.
#include "FirmwarePart.h"

#include "core/firmware/FirmwareFile.h"
#include "core/firmware/FirmwareImage.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/firmware/UpdateTexts.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/SerialPort.h"
#include "window/platform/OperatorDialogs.h"
#include "window/session/SensorSession.h"
#include "window/session/SessionDisplay.h"
#include "window/widgets/ActionKeys.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

using namespace levelconf;

FirmwarePart::FirmwarePart(SensorSession &session, const FirmwareControls &controls,
                           QObject *parent)
    : QObject(parent), m_session(session), m_ui(controls),
      m_update(new FirmwareUpdate(session.port(), this))
{
    connect(m_ui.Command8, &QPushButton::clicked, this, &FirmwarePart::Command8_Click);
    connect(m_ui.start, &QPushButton::clicked, this, &FirmwarePart::start_Click);
    connect(m_ui.fwCancel, &QPushButton::clicked, this, &FirmwarePart::fwCancel_Click);
    bindActionKeys(
        {{m_ui.Command8, Qt::Key_F}, {m_ui.start, Qt::Key_T}, {m_ui.fwCancel, Qt::Key_A}});

    connect(m_update, &FirmwareUpdate::phaseChanged, this, &FirmwarePart::showPhase);
    connect(m_update, &FirmwareUpdate::optionBytesWritten, this,
            [this] { appendProgress(tr("\nOk! \n")); });
    connect(m_update, &FirmwareUpdate::blockWritten, this, &FirmwarePart::blockWritten);
    connect(m_update, &FirmwareUpdate::finished, this, &FirmwarePart::finished);
}

void FirmwarePart::cancel()
{
    m_update->cancel();
}

void FirmwarePart::Command8_Click()
{
    const QString folder =
        m_file.isEmpty() ? m_session.programFolder() : QFileInfo(m_file).absolutePath();
    const QString path = m_session.dialogs().OpenFile(tr("Open"), tr("Bin Files (*.cri)"), folder);
    if (path.isEmpty())
        return;
    m_file = path;
    m_ui.filename_prog->setText(path);
}

void FirmwarePart::start_Click()
{
    if (m_update->isRunning())
        return;
    // The image is checked whole before anything goes to the sensor: the loader erases
    // the sensor first, and a file found wanting after that would leave it with nothing.
    if (const std::optional<FirmwarePlan> plan = checkedPlan())
        begin(*plan);
}

std::optional<FirmwarePlan> FirmwarePart::checkedPlan()
{
    OperatorDialogs &dialogs = m_session.dialogs();
    if (m_file.isEmpty()) {
        dialogs.MsgBox(tr("No firmware file is chosen: press \"Open file\" and choose one.\n") +
                           nothingSentText(),
                       OperatorDialogs::Icon::Warning);
        return std::nullopt;
    }
    const SensorType type = m_ui.PL140->isChecked() ? pl140Type() : pl540Type();
    QString reason;
    if (const std::optional<QByteArray> image = readFirmwareFile(m_file, &reason)) {
        const PlanResult result = planFirmwareUpdate(*image, type, m_ui.EEPROM->isChecked());
        if (result.plan)
            return result.plan;
        reason = result.refusal;
    }
    dialogs.MsgBox(firmwareRefusalText(m_file, type, reason), OperatorDialogs::Icon::Warning);
    return std::nullopt;
}

void FirmwarePart::begin(const FirmwarePlan &plan)
{
    // From here the update alone talks to the port: the engine stops, whatever it had
    // pending is dropped, and every control that would reach the port or the sensor
    // waits for the end, the port's own buttons included.
    ExchangeEngine &engine = m_session.engine();
    engine.stop();
    engine.dropPending();
    m_session.display().lockPortControls();
    m_ui.fwCancel->setEnabled(true);
    m_ui.fwProgress->setRange(0, static_cast<int>(plan.blocks.size()));
    m_ui.fwProgress->setValue(0);
    m_ui.txtRec1->setPlainText(tr("Прошиваем !  "));
    m_session.log(firmwareStartLogLine(m_file, plan));
    m_update->start(plan);
}

void FirmwarePart::showPhase()
{
    m_ui.fwProgress->setFormat(phaseFormat(m_update->phase()));
}

void FirmwarePart::blockWritten(int done, int number)
{
    m_ui.fwProgress->setValue(done);
    appendProgress(blockProgressText(number) + QStringLiteral("\n"));
}

void FirmwarePart::appendProgress(const QString &text, bool ownLine)
{
    QPlainTextEdit *log = m_ui.txtRec1;
    log->moveCursor(QTextCursor::End);
    if (ownLine && !log->toPlainText().endsWith(QLatin1Char('\n')))
        log->insertPlainText(QStringLiteral("\n"));
    log->insertPlainText(text);
    log->moveCursor(QTextCursor::End);
    log->ensureCursorVisible();
}

void FirmwarePart::finished(const UpdateResult &result)
{
    OperatorDialogs &dialogs = m_session.dialogs();
    const Closing closing = closingFor(result);
    appendProgress(closing.progress, true);
    m_session.log(closing.log);
    for (const QString &text : result.loaderMessages)
        dialogs.MsgBox(text);
    const bool lost = result.outcome == UpdateResult::Outcome::PortLost;
    if (lost)
        dialogs.MsgBox(tr("Error! COM port unavailable"), OperatorDialogs::Icon::Critical);
    if (!closing.box.isEmpty())
        dialogs.MsgBox(closing.box, closing.icon);

    m_session.display().unlockPortControls();
    m_ui.fwCancel->setEnabled(false);
    // The engine starts again as if just opened: nothing the operator did meanwhile is
    // sent to a sensor that has just been rewritten.
    ExchangeEngine &engine = m_session.engine();
    engine.forgetRequests();
    if (lost) {
        // As the engine gives up a port that no longer takes its frames.
        emit m_session.portCloseRequested();
    } else {
        m_session.port().takeArrived();
        engine.start();
    }
}
