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

namespace
{
// Puts at `path` what `kind` names; "missing" puts nothing.
bool place(const QString &kind, const QString &path)
{
    const QByteArray target = QFile::encodeName(path + ".target");
    if (kind == "regular file")
        return QFile(path).open(QIODevice::WriteOnly);
    if (kind == "folder")
        return QDir().mkdir(path);
    if (kind == "named pipe")
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == "link to a named pipe")
        return ::mkfifo(target.constData(), 0600) == 0 && QFile::link(target, path);
    if (kind == "link to a regular file")
        return QFile(target).open(QIODevice::WriteOnly) && QFile::link(target, path);
    return kind == "missing";
}

// What is at `path` now, as stat sees it through links.
mode_t typeAt(const QString &path)
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}
} // namespace

class tst_RegularFile : public QObject
{
    Q_OBJECT

private slots:
    void savesReplaceOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("refusal"); // empty: saved
        QTest::newRow("missing") << "missing" << QString();
        QTest::newRow("regular file") << "regular file" << QString();
        QTest::newRow("link to a regular file") << "link to a regular file" << QString();
        QTest::newRow("named pipe") << "named pipe"
                                    << "it is a named pipe, not a regular file";
        QTest::newRow("link to a named pipe") << "link to a named pipe"
                                              << "it is a named pipe, not a regular file";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a regular file";
    }

    // Every save of the program goes through the same replacement: tables, point files,
    // readings and the command line's table read.
    void savesReplaceOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath("target");
        QVERIFY(place(kind, path));
        const mode_t before = typeAt(path);

        QCOMPARE(saveTargetRefusal(path).value_or(QString()), refusal);
        QCOMPARE(replaceFile(path, "bytes\r\n").value_or(QString()), refusal);
        QCOMPARE(writeTableFile(path, CalibrationCells::defaults()).value_or(QString()), refusal);
        QCOMPARE(createPointFile(path), refusal);
        if (refusal.isEmpty()) {
            QCOMPARE(typeAt(path), mode_t(S_IFREG));
            QCOMPARE(QFileInfo(path).isSymLink(), kind.startsWith("link"));
        } else {
            QCOMPARE(typeAt(path), before);
        }
    }

    void readsTakeOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("path"); // empty: a place in a temporary folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("regular file") << "regular file" << QString() << QString();
        QTest::newRow("link to a regular file")
            << "link to a regular file" << QString() << QString();
        QTest::newRow("missing") << "missing" << QString() << "it cannot be opened (";
        QTest::newRow("named pipe, nobody writing")
            << "named pipe" << QString() << "it is a named pipe, not a regular file";
        QTest::newRow("link to a named pipe")
            << "link to a named pipe" << QString() << "it is a named pipe, not a regular file";
        QTest::newRow("folder") << "folder" << QString() << "it is a folder, not a regular file";
        QTest::newRow("endless device") << QString() << "/dev/zero"
                                        << "it is a character device, not a regular file";
    }

    void readsTakeOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        if (path.isEmpty()) {
            path = dir.filePath("source");
            QVERIFY(place(kind, path));
        }
        QString error;
        const std::optional<QByteArray> bytes = readRegularFile(path, 16, &error);
        QCOMPARE(bytes.has_value(), reason.isEmpty());
        QVERIFY2(error.startsWith(reason), qPrintable(error));
        // The table, point and firmware files are all read this way.
        QString tableError;
        QCOMPARE(readTableFile(path, &tableError).has_value(), reason.isEmpty());
        QCOMPARE(tableError, error);
        QString imageError;
        QCOMPARE(readFirmwareFile(path, &imageError).has_value(), reason.isEmpty());
        QCOMPARE(imageError, error);
    }
};

QTEST_GUILESS_MAIN(tst_RegularFile)
#include "tst_regularfile.moc"
