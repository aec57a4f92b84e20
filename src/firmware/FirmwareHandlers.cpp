// The "FW Update" page: choosing the image, checking it, and running the update with its
// progress and its outcome shown.
#include "FirmwareFile.h"
#include "FirmwareImage.h"
#include "FirmwareUpdate.h"
#include "protocol/ExchangeEngine.h"
#include "serial/SerialPort.h"
#include "shell/OperatorDialogs.h"
#include "shell/Tags.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

#include <QDir>
#include <QFileInfo>

namespace
{
const QString kNothingSent = QStringLiteral("Nothing was sent to the sensor.");
// Only the loader's wake-up bytes went out, which a running sensor ignores.
const QString kNothingWritten = QStringLiteral("Nothing was written to the sensor.");
const QString kUpdateAgain =
    QStringLiteral("The sensor's firmware is incomplete and the sensor must be updated again: "
                   "switch the sensor off, press \"Start\", then switch the sensor on.");

QString phaseFormat(FirmwareUpdate::Phase phase)
{
    switch (phase) {
    case FirmwareUpdate::Phase::Synchronising:
        return QStringLiteral("Waiting for the loader: switch the sensor off and on");
    case FirmwareUpdate::Phase::Erasing:
        return QStringLiteral("Erasing");
    case FirmwareUpdate::Phase::OptionBytes:
        return QStringLiteral("Writing the option bytes");
    case FirmwareUpdate::Phase::Blocks:
        return QStringLiteral("Block %v of %m");
    case FirmwareUpdate::Phase::Starting:
        return QStringLiteral("Starting the firmware");
    case FirmwareUpdate::Phase::Idle:
        break;
    }
    return QStringLiteral("%v of %m blocks written");
}

struct Closing {
    QString box;      // the closing message; empty for none
    QString progress; // the last line of the progress log
    QString log;      // the session log line
    OperatorDialogs::Icon icon = OperatorDialogs::Icon::Critical;
};

Closing closingFor(const UpdateResult &r)
{
    using Outcome = UpdateResult::Outcome;
    switch (r.outcome) {
    case Outcome::Done:
        return {{}, QStringLiteral("-----Готово------"), QStringLiteral("Firmware update done.")};
    case Outcome::StartNotConfirmed:
        return {QStringLiteral("The firmware is written, but the loader did not confirm the "
                               "start command: switch the sensor off and on again."),
                QStringLiteral("Written; start not confirmed: switch the sensor off and on."),
                QStringLiteral("Firmware update: written, start not confirmed."),
                OperatorDialogs::Icon::Warning};
    case Outcome::Cancelled:
        if (!r.loaderAnswered) {
            return {QStringLiteral("Firmware update cancelled before the loader answered. ") +
                        kNothingWritten,
                    QStringLiteral("Update cancelled: nothing was written."),
                    QStringLiteral("Firmware update cancelled, nothing written."),
                    OperatorDialogs::Icon::Information};
        }
        return {QStringLiteral("Firmware update cancelled.\n") + kUpdateAgain,
                QStringLiteral("Update cancelled: the sensor must be updated again."),
                QStringLiteral("Firmware update cancelled: the sensor must be updated again.")};
    case Outcome::Failed:
    case Outcome::PortLost:
        break;
    }
    if (!r.loaderAnswered) {
        return {QStringLiteral("Firmware update stopped before the loader answered: ") + r.reason +
                    QStringLiteral(". ") + kNothingWritten,
                QStringLiteral("Update stopped: nothing was written."),
                QStringLiteral("Firmware update stopped: ") + r.reason + QStringLiteral(".")};
    }
    return {QStringLiteral("Firmware update failed: ") + r.reason + QStringLiteral(".\n") +
                kUpdateAgain,
            QStringLiteral("Update failed: the sensor must be updated again."),
            QStringLiteral("Firmware update failed: ") + r.reason + QStringLiteral(".")};
}
} // namespace

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
                             kNothingSent,
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
    dialogs().MsgBox(QStringLiteral("The firmware file %1 cannot be written to a %2 sensor: %3.\n")
                             .arg(QDir::toNativeSeparators(cur_file), type.name, reason) +
                         kNothingSent,
                     OperatorDialogs::Icon::Warning);
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
    str_to_log(QStringLiteral("Cmd Firmware update: ") + cur_file + QStringLiteral(", ") +
               plan.type.name +
               (plan.resetEeprom ? QStringLiteral(", reset calibration values") : QString()));
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
