#pragma once

#include "FirmwareImage.h"
#include "FirmwareUpdate.h"
#include "core/log/Severity.h"

#include <QString>

namespace levelconf
{

// What the operator is told about a firmware update, by the window or on a terminal.

// The phase an update is in, as a progress bar's format ("%v" the blocks done, "%m" all).
QString phaseFormat(FirmwareUpdate::Phase phase);

// "Nothing was sent to the sensor."
QString nothingSentText();

// Why `path` cannot go to a sensor of `type`, ending with nothingSentText().
QString firmwareRefusalText(const QString &path, const SensorType &type, const QString &reason);

// "Cmd Firmware update: " the file, the type and whether the calibration values are reset.
QString firmwareStartLogLine(const QString &path, const FirmwarePlan &plan);

// How an update ended: the closing message (empty for none), the last progress line and
// the session log line.
struct Closing {
    QString box;
    QString progress;
    QString log;
    Severity icon = Severity::Critical;
};
// Who tells it: the window has a "Start" button to press, the command line a command to
// run again.
enum class UpdateFront { Window, CommandLine };
Closing closingFor(const UpdateResult &r, UpdateFront front = UpdateFront::Window);

} // namespace levelconf
