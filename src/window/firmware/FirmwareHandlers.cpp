// The "FW Update" page: choosing the image, checking it, and running the update with its
// progress and its outcome shown.
#include "core/firmware/FirmwareFile.h"
#include "core/firmware/FirmwareImage.h"
#include "core/firmware/FirmwareUpdate.h"
#include "core/firmware/UpdateTexts.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/SerialPort.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Tags.h"

#include <QDir>
#include <QFileInfo>

void frmSerial::connectFirmware()
{
    fwUpdate = new FirmwareUpdate(port(), this);
    connect(ui->Command8, &QPushButton::clicked, this, &frmSerial::Command8_Click);
    connect(ui->start, &QPushButton::clicked, this, &frmSerial::start_Click);
    connect(ui->fwCancel, &QPushButton::clicked, this, &frmSerial::fwCancel_Click);
    connect(fwUpdate, &FirmwareUpdate::phaseChanged, this, &frmSerial::showFirmwarePhase);
    connect(fwUpdate, &FirmwareUpdate::optionBytesWritten, this,
            [this] { appendFirmwareProgress(QStringLiteral("\nOk! \n")); });
    connect(fwUpdate, &FirmwareUpdate::blockWritten, this, &frmSerial::firmwareBlockWritten);
    connect(fwUpdate, &FirmwareUpdate::finished, this, &frmSerial::firmwareFinished);
}

void frmSerial::Command8_Click()
{
    const QString folder =
        cur_file.isEmpty() ? platform.programFolder : QFileInfo(cur_file).absolutePath();
    const QString path =
        dialogs().OpenFile(QStringLiteral("Open"), QStringLiteral("Bin Files (*.cri)"), folder);
    if (path.isEmpty())
        return;
    cur_file = path;
    ui->filename_prog->setText(path);
}

void frmSerial::start_Click()
{
    if (fwUpdate->isRunning())
        return;
    // The image is checked whole before anything goes to the sensor: the loader erases
    // the sensor first, and a file found wanting after that would leave it with nothing.
    if (const std::optional<FirmwarePlan> plan = checkedFirmwarePlan())
        beginFirmwareUpdate(*plan);
}

std::optional<FirmwarePlan> frmSerial::checkedFirmwarePlan()
{
    if (cur_file.isEmpty()) {
        dialogs().MsgBox(QStringLiteral("No firmware file is chosen: press \"Open file\" and "
                                        "choose one.\n") +
                             nothingSentText(),
                         OperatorDialogs::Icon::Warning);
        return std::nullopt;
    }
    const SensorType type = ui->PL140->isChecked() ? pl140Type() : pl540Type();
    QString reason;
    if (const std::optional<QByteArray> image = readFirmwareFile(cur_file, &reason)) {
        const PlanResult result = planFirmwareUpdate(*image, type, ui->EEPROM->isChecked());
        if (result.plan)
            return result.plan;
        reason = result.refusal;
    }
    dialogs().MsgBox(firmwareRefusalText(cur_file, type, reason), OperatorDialogs::Icon::Warning);
    return std::nullopt;
}

void frmSerial::beginFirmwareUpdate(const FirmwarePlan &plan)
{
    // From here the update alone talks to the port: the engine stops, whatever it had
    // pending is dropped, and every control that would reach the port or the sensor
    // waits for the end, the port's own buttons included.
    exchangeEngine->stop();
    exchangeEngine->dropPending();
    QList<QWidget *> locked = {ui->CmbPort, ui->BTNOpenCom, ui->BTNCloseCom};
    for (QWidget *w : taggedControls(this)) {
        if (tagOf(w) > 8)
            locked.append(w);
    }
    fwLock.lock(locked);
    ui->fwCancel->setEnabled(true);
    ui->fwProgress->setRange(0, static_cast<int>(plan.blocks.size()));
    ui->fwProgress->setValue(0);
    ui->txtRec1->setPlainText(QStringLiteral("Прошиваем !  "));
    str_to_log(firmwareStartLogLine(cur_file, plan));
    fwUpdate->start(plan);
}

void frmSerial::fwCancel_Click()
{
    fwUpdate->cancel();
}

void frmSerial::showFirmwarePhase()
{
    ui->fwProgress->setFormat(phaseFormat(fwUpdate->phase()));
}

void frmSerial::firmwareBlockWritten(int done, int number)
{
    ui->fwProgress->setValue(done);
    appendFirmwareProgress(blockProgressText(number) + QStringLiteral("\n"));
}

void frmSerial::appendFirmwareProgress(const QString &text, bool ownLine)
{
    QPlainTextEdit *log = ui->txtRec1;
    log->moveCursor(QTextCursor::End);
    if (ownLine && !log->toPlainText().endsWith(QLatin1Char('\n')))
        log->insertPlainText(QStringLiteral("\n"));
    log->insertPlainText(text);
    log->moveCursor(QTextCursor::End);
    log->ensureCursorVisible();
}

void frmSerial::firmwareFinished(const UpdateResult &result)
{
    const Closing closing = closingFor(result);
    appendFirmwareProgress(closing.progress, true);
    str_to_log(closing.log);
    for (const QString &text : result.loaderMessages)
        dialogs().MsgBox(text);
    const bool lost = result.outcome == UpdateResult::Outcome::PortLost;
    if (lost)
        dialogs().MsgBox(QStringLiteral("Error! COM port unavailable"),
                         OperatorDialogs::Icon::Critical);
    if (!closing.box.isEmpty())
        dialogs().MsgBox(closing.box, closing.icon);

    fwLock.unlock();
    ui->fwCancel->setEnabled(false);
    // The engine starts again as if just opened: nothing the operator did meanwhile is
    // sent to a sensor that has just been rewritten.
    exchangeEngine->forgetRequests();
    if (lost) {
        // As the engine gives up a port that no longer takes its frames.
        BTNCloseCom_Click();
    } else {
        port().ComTakeArrived();
        exchangeEngine->start();
    }
}
