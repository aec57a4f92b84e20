#include "LogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
bool usable(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    return QFileInfo(folder).isWritable();
}
} // namespace

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
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(data).filePath(QStringLiteral("log"));
}
