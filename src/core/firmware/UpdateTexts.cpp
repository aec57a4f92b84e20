#include "UpdateTexts.h"

#include <QCoreApplication>
#include <QDir>

namespace levelconf
{

namespace
{
// What the operator reads is in the language shown; the log lines stay as they are.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(UpdateTexts)
};

QString nothingWrittenText()
{
    // Only the loader's wake-up bytes went out, which a running sensor ignores.
    return Texts::tr("Nothing was written to the sensor.");
}

QString updateAgainText(UpdateFront front)
{
    if (front == UpdateFront::Window)
        return Texts::tr("The sensor's firmware is incomplete and the sensor must be updated "
                         "again: switch the sensor off, press \"Start\", then switch the sensor "
                         "on.");
    return Texts::tr("The sensor's firmware is incomplete and the sensor must be updated again: "
                     "switch the sensor off, run the update again, then switch the sensor on.");
}

// Everything is written; the loader did not start it: it refused the start command or left
// it unanswered.
Closing writtenNotStarted(bool refused)
{
    const QString word = refused ? QStringLiteral("refused") : QStringLiteral("not confirmed");
    return {refused ? Texts::tr("The firmware is written, but the loader refused the start "
                                "command: switch the sensor off and on again.")
                    : Texts::tr("The firmware is written, but the loader did not confirm the "
                                "start command: switch the sensor off and on again."),
            refused ? Texts::tr("Written; start refused: switch the sensor off and on.")
                    : Texts::tr("Written; start not confirmed: switch the sensor off and on."),
            QStringLiteral("Firmware update: written, start %1.").arg(word), Severity::Warning};
}
} // namespace

QString phaseFormat(FirmwareUpdate::Phase phase)
{
    switch (phase) {
    case FirmwareUpdate::Phase::Synchronising:
        return Texts::tr("Waiting for the loader: switch the sensor off and on");
    case FirmwareUpdate::Phase::Erasing:
        return Texts::tr("Erasing");
    case FirmwareUpdate::Phase::OptionBytes:
        return Texts::tr("Writing the option bytes");
    case FirmwareUpdate::Phase::Blocks:
        return Texts::tr("Block %v of %m");
    case FirmwareUpdate::Phase::Starting:
        return Texts::tr("Starting the firmware");
    case FirmwareUpdate::Phase::Idle:
        break;
    }
    return Texts::tr("%v of %m blocks written");
}

Closing closingFor(const UpdateResult &r, UpdateFront front)
{
    using Outcome = UpdateResult::Outcome;
    const QString updateAgain = updateAgainText(front);
    switch (r.outcome) {
    case Outcome::Done:
        return {{}, Texts::tr("-----Готово------"), QStringLiteral("Firmware update done.")};
    case Outcome::StartNotConfirmed:
        return writtenNotStarted(false);
    case Outcome::StartRefused:
        return writtenNotStarted(true);
    case Outcome::Cancelled:
        if (!r.loaderAnswered) {
            return {Texts::tr("Firmware update cancelled before the loader answered. ") +
                        nothingWrittenText(),
                    Texts::tr("Update cancelled: nothing was written."),
                    QStringLiteral("Firmware update cancelled, nothing written."),
                    Severity::Information};
        }
        return {Texts::tr("Firmware update cancelled.\n") + updateAgain,
                Texts::tr("Update cancelled: the sensor must be updated again."),
                QStringLiteral("Firmware update cancelled: the sensor must be updated again.")};
    case Outcome::Failed:
    case Outcome::PortLost:
        break;
    }
    if (!r.loaderAnswered) {
        return {Texts::tr("Firmware update stopped before the loader answered: %1. ")
                        .arg(r.reasonShown) +
                    nothingWrittenText(),
                Texts::tr("Update stopped: nothing was written."),
                QStringLiteral("Firmware update stopped: ") + r.reason + QStringLiteral(".")};
    }
    return {Texts::tr("Firmware update failed: %1.\n").arg(r.reasonShown) + updateAgain,
            Texts::tr("Update failed: the sensor must be updated again."),
            QStringLiteral("Firmware update failed: ") + r.reason + QStringLiteral(".")};
}

QString nothingSentText()
{
    return Texts::tr("Nothing was sent to the sensor.");
}

QString firmwareRefusalText(const QString &path, const SensorType &type, const QString &reason)
{
    return Texts::tr("The firmware file %1 cannot be written to a %2 sensor: %3.\n")
               .arg(QDir::toNativeSeparators(path), type.name, reason) +
           nothingSentText();
}

QString firmwareStartLogLine(const QString &path, const FirmwarePlan &plan)
{
    return QStringLiteral("Cmd Firmware update: ") + path + QStringLiteral(", ") + plan.type.name +
           (plan.resetEeprom ? QStringLiteral(", reset calibration values") : QString());
}

} // namespace levelconf
