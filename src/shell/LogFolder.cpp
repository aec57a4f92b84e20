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

QString defaultLogFolder(const QString &programFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("log"));
    if (usable(beside))
        return beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(data).filePath(QStringLiteral("log"));
}
