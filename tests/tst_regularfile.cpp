// Files are read and replaced only where they are regular: a named pipe, a device or a
// folder given by mistake is refused at once, never waited on, and left as it was.
#include "core/calibration/PointFile.h"
#include "core/calibration/TableFile.h"
#include "core/files/AtomicFile.h"
#include "core/files/RegularFile.h"
#include "core/firmware/FirmwareFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace levelconf;

namespace
{
// Puts at `path` what `kind` names ("missing": nothing); a link points to `path`.target.
bool place(const QString &kind, const QString &path)
{
    const QString target = kind.startsWith("link") ? path + ".target" : path;
    const bool made = kind.endsWith("regular file") ? QFile(target).open(QIODevice::WriteOnly)
                      : kind.endsWith("named pipe")
                          ? ::mkfifo(QFile::encodeName(target).constData(), 0600) == 0
                      : kind == "folder" ? QDir().mkdir(path)
                                         : kind == "missing";
    return made && (target == path || QFile::link(target, path));
}

// What is at `path` now, as stat sees it through links.
mode_t typeAt(const QString &path)
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

void addKinds()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // empty: taken
    QTest::newRow("regular file") << "regular file" << QString();
    QTest::newRow("link to a regular file") << "link to a regular file" << QString();
    QTest::newRow("named pipe") << "named pipe"
                                << "it is a named pipe, not a regular file";
    QTest::newRow("link to a named pipe") << "link to a named pipe"
                                          << "it is a named pipe, not a regular file";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a regular file";
}
} // namespace

class tst_RegularFile : public QObject
{
    Q_OBJECT

private slots:
    // Every save of the program goes through the same replacement: tables, point files,
    // readings and the command line's table read.
    void savesReplaceOnlyRegularFiles_data()
    {
        addKinds();
        QTest::newRow("missing") << "missing" << QString();
    }
    void savesReplaceOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("target");
        QVERIFY(place(kind, path));
        const mode_t before = typeAt(path);
        QCOMPARE(replaceFile(path, "bytes\r\n").value_or(QString()), reason);
        QCOMPARE(writeTableFile(path, CalibrationCells::defaults()).value_or(QString()), reason);
        QCOMPARE(createPointFile(path), reason);
        QCOMPARE(typeAt(path), reason.isEmpty() ? mode_t(S_IFREG) : before);
        QCOMPARE(QFileInfo(path).isSymLink(), kind.startsWith("link"));
    }

    void readsTakeOnlyRegularFiles_data()
    {
        addKinds();
        QTest::newRow("missing") << "missing"
                                 << "it cannot be opened (";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "it is a character device, not a regular file";
    }
    void readsTakeOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = kind;
        if (!kind.startsWith('/')) {
            path = dir.filePath("source");
            QVERIFY(place(kind, path));
        }
        QString error;
        QCOMPARE(readRegularFile(path, 16, &error).has_value(), reason.isEmpty());
        QVERIFY2(error.startsWith(reason), qPrintable(error));
        // The table, point and firmware files are all read this way.
        QString tableError;
        QCOMPARE(readTableFile(path, &tableError).has_value(), reason.isEmpty());
        QString imageError;
        QCOMPARE(readFirmwareFile(path, &imageError).has_value(), reason.isEmpty());
        QCOMPARE(tableError + imageError, error + error);
    }
};

QTEST_GUILESS_MAIN(tst_RegularFile)
#include "tst_regularfile.moc"
