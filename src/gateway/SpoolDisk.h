#pragma once

#include <QString>

// What the spool needs of the system beyond Qt's files: that what was written is on the
// disk, not only in its cache, and that one gateway alone uses a spool folder.
namespace SpoolDisk
{
// Holds the folder for this process, until unlockFolder(); -1, with the reason, when it
// cannot, another process holding it ("in use by another levelconf-gateway").
int lockFolder(const QString &path, QString *error);
void unlockFolder(int handle);
// The file's data, and the size that reaches it, on the disk.
bool syncFile(int handle);
// The folder's entries (a file made or renamed in it) on the disk.
bool syncFolder(const QString &path);
} // namespace SpoolDisk
