#include "UpdateTexts.h"

#include <QDir>

namespace
{
const QString kNothingSent = QStringLiteral("Nothing was sent to the sensor.");
// Only the loader's wake-up bytes went out, which a running sensor ignores.
const QString kNothingWritten = QStringLiteral("Nothing was written to the sensor.");

QString updateAgainText(UpdateFront front)
{
    const QString how = front == UpdateFront::Window ? QStringLiteral("press \"Start\"")
                                                     : QStringLiteral("run the update again");
    return QStringLiteral("The sensor's firmware is incomplete and the sensor must be updated "
                          "again: switch the sensor off, %1, then switch the sensor on.")
        .arg(how);
}

// Everything is written; the loader did not start it (`what` it did with the command).
Closing writtenNotStarted(const QString &what, const QString &word)
{
    return {QStringLiteral("The firmware is written, but the loader %1 the start command: "
                           "switch the sensor off and on again.")
                .arg(what),
            QStringLiteral("Written; start %1: switch the sensor off and on.").arg(word),
            QStringLiteral("Firmware update: written, start %1.").arg(word), Severity::Warning};
}
} // namespace

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

Closing closingFor(const UpdateResult &r, UpdateFront front)
{
    using Outcome = UpdateResult::Outcome;
    const QString updateAgain = updateAgainText(front);
    switch (r.outcome) {
    case Outcome::Done:
        return {{}, QStringLiteral("-----Готово------"), QStringLiteral("Firmware update done.")};
    case Outcome::StartNotConfirmed:
        return writtenNotStarted(QStringLiteral("did not confirm"),
                                 QStringLiteral("not confirmed"));
    case Outcome::StartRefused:
        return writtenNotStarted(QStringLiteral("refused"), QStringLiteral("refused"));
    case Outcome::Cancelled:
        if (!r.loaderAnswered) {
            return {QStringLiteral("Firmware update cancelled before the loader answered. ") +
                        kNothingWritten,
                    QStringLiteral("Update cancelled: nothing was written."),
                    QStringLiteral("Firmware update cancelled, nothing written."),
                    Severity::Information};
        }
        return {QStringLiteral("Firmware update cancelled.\n") + updateAgain,
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
                updateAgain,
            QStringLiteral("Update failed: the sensor must be updated again."),
            QStringLiteral("Firmware update failed: ") + r.reason + QStringLiteral(".")};
}

QString nothingSentText()
{
    return kNothingSent;
}

QString firmwareRefusalText(const QString &path, const SensorType &type, const QString &reason)
{
    return QStringLiteral("The firmware file %1 cannot be written to a %2 sensor: %3.\n")
               .arg(QDir::toNativeSeparators(path), type.name, reason) +
           kNothingSent;
}

QString firmwareStartLogLine(const QString &path, const FirmwarePlan &plan)
{
    return QStringLiteral("Cmd Firmware update: ") + path + QStringLiteral(", ") + plan.type.name +
           (plan.resetEeprom ? QStringLiteral(", reset calibration values") : QString());
}
