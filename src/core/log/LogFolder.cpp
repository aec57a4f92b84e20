#include "LogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace levelconf
{

namespace
{
// Whether a log can be written there. A folder's permission bits do not tell on every
// system (an install under Program Files on Windows looks writable and is not), so a file
// is made and removed to see.
bool usable(const QString &folder)
{
    if (!makeLogFolder(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    return probe.open();
}
} // namespace

bool makeLogFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    // The folders above it are ordinary ones, the user's data folder say.
    const QString parent = info.absolutePath();
    if (!QDir().mkpath(parent))
        return false;
    const QString path = info.absoluteFilePath();
    // Another run may have made it meanwhile.
    return QDir().mkdir(path,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) ||
           QFileInfo(path).isDir();
}

bool runsInstalled(const QString &programFolder)
{
    const QString entry =
        QDir(programFolder).filePath(QStringLiteral(LEVELCONF_DESKTOP_ENTRY_FROM_BIN));
    return QFileInfo(entry).isFile();
}

QString defaultLogFolder(const QString &programFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("log"));
    if (!runsInstalled(programFolder) && usable(beside))
        return beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(data).filePath(QStringLiteral("log"));
}

} // namespace levelconf
