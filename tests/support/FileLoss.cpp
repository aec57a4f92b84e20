#include "FileLoss.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

void addFileLossRows()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"file removed", "folder removed", "path is now a folder"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

bool loseFile(const QString &how, const QString &path)
{
    if (how == QLatin1String("folder removed"))
        return QFileInfo(path).dir().removeRecursively();
    const bool removed = QFile::remove(path);
    if (how == QLatin1String("path is now a folder"))
        return removed && QDir().mkdir(path);
    return removed;
}
