#pragma once

#include <QString>

// The session log folder: "log" beside the executable, or, where that folder cannot be
// created or written (a program installed under a system folder), "log" in the user's
// application data folder.
QString defaultLogFolder(const QString &programFolder);
