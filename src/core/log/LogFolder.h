#pragma once

#include <QString>

namespace levelconf
{

// The session log folder. Run from its build folder, the program writes to "log" beside the
// executable, where the log of a test run is easy to find. An installed program never writes
// beside its executable, not even when root could: it writes to "log" in the user's
// application data folder, as does a program whose own "log" cannot be made or written.
QString defaultLogFolder(const QString &programFolder);

// True when the program in `programFolder` is an installed one: its desktop entry lies where
// the install puts it, relative to the executable.
bool runsInstalled(const QString &programFolder);

// Makes the log folder where there is none, readable by its owner alone (0700): the log
// holds every password entered or set. A folder that is already there keeps the
// permissions it has. True when the folder is there afterwards.
bool makeLogFolder(const QString &folder);

} // namespace levelconf
