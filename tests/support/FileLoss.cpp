#include "FileLoss.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

void addFileLossRows()
{
    QTest::addColumn<QString>("how");
    for (const char *how :
         {"file removed", "folder removed", "path is now a folder", "path is now a named pipe"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

bool loseFile(const QString &how, const QString &path)
{
    if (how == QLatin1String("folder removed"))
        return QFileInfo(path).dir().removeRecursively();
    const bool removed = QFile::remove(path);
    if (how == QLatin1String("path is now a folder"))
        return removed && QDir().mkdir(path);
    // Opened to append to, it would hold the program until something read it.
    if (how == QLatin1String("path is now a named pipe"))
        return removed && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return removed;
}
