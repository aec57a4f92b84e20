#pragma once

#include <QString>

// Ways a file that the program appends to can be taken from under it. Each stops a write
// even for root, where permissions would not, and none may hold the program up.

// Data rows, one for each way, in a column "how".
void addFileLossRows();

// Takes the file at `path` away as `how` says; "folder removed" removes its whole folder.
bool loseFile(const QString &how, const QString &path);
