#include "core/log/LogFolder.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace levelconf;

// Where the session log goes, for a program in `prefix/bin` with the files of a row around it.
class tst_LogFolder : public QObject
{
    Q_OBJECT

    static bool makeFile(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        return f.open(QIODevice::WriteOnly);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void logFolderFollowsHowTheProgramRuns_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("beside");

        const QString entry = QStringLiteral(LEVELCONF_DESKTOP_ENTRY_FROM_BIN);
        QTest::newRow("build folder") << QStringList() << true;
        QTest::newRow("installed") << QStringList{entry} << false;
        QTest::newRow("another program's entry")
            << QStringList{QStringLiteral("../share/applications/other.desktop")} << true;
        // A file where the folder should be stops even root from making it.
        QTest::newRow("build folder, log cannot be made") << QStringList{"log"} << false;
    }

    void logFolderFollowsHowTheProgramRuns()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, beside);

        QTemporaryDir root;
        const QDir bin(root.filePath(QStringLiteral("usr/bin")));
        QVERIFY(QDir().mkpath(bin.path()));
        for (const QString &file : files)
            QVERIFY2(makeFile(bin.filePath(file)), qPrintable(file));

        const QString folder = defaultLogFolder(bin.path());

        const QString userLog =
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                .filePath(QStringLiteral("log"));
        QCOMPARE(folder, beside ? bin.filePath(QStringLiteral("log")) : userLog);
        // Made where it is used, and nowhere else.
        QCOMPARE(QFileInfo(bin.filePath(QStringLiteral("log"))).isDir(), beside);
        // Made for its owner alone: the log holds passwords.
        if (beside)
            QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                     QFile::Permissions());
    }
};

QTEST_GUILESS_MAIN(tst_LogFolder)
#include "tst_logfolder.moc"
