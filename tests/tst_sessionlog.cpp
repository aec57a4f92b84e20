#include "core/log/ResultsEcho.h"
#include "core/log/SessionLog.h"
#include "core/protocol/ByteString.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace levelconf;

class tst_SessionLog : public QObject
{
    Q_OBJECT

    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fileNameComesFromTheStartTime()
    {
        const QDateTime start(QDate(2026, 12, 7), QTime(14, 5, 33));
        QCOMPARE(logFileName(start), QString("07122026_140533.log"));
        QCOMPARE(logFileName(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5))),
                 QString("02012027_030405.log"));
    }

    void startRecordHoldsItsLineBreakInsideTheQuotes()
    {
        QTemporaryDir dir;
        SessionLog log;
        const QString folder = dir.filePath("log/nested");
        const QDateTime start(QDate(2026, 12, 7), QTime(14, 5, 33));
        QVERIFY(!log.start(folder, start).has_value());
        QCOMPARE(log.path(), QDir(folder).filePath("07122026_140533.log"));
        QCOMPARE(readAll(log.path()), QByteArray("\"Start: 07.12.2026 14:05:33\r\n\"\r\n"));

        QVERIFY(log.append(QStringLiteral("Com Port /dev/ttyUSB0 Open"), QTime(14, 5, 40)));
        QVERIFY(log.append(QStringLiteral("Устройства в сети 3 7 "), QTime(9, 0, 1)));
        QCOMPARE(readAll(log.path()),
                 QByteArray("\"Start: 07.12.2026 14:05:33\r\n\"\r\n"
                            "\"14:05:40 : Com Port /dev/ttyUSB0 Open\"\r\n") +
                     QStringLiteral("\"09:00:01 : Устройства в сети 3 7 \"\r\n").toUtf8());
    }

    void secondStartInTheSameSecondRecreatesTheFile()
    {
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 7), QTime(14, 5, 33));
        SessionLog first;
        QVERIFY(!first.start(dir.path(), start).has_value());
        first.append("one", QTime(14, 5, 34));
        SessionLog second;
        QVERIFY(!second.start(dir.path(), start).has_value());
        QCOMPARE(second.path(), first.path());
        QCOMPARE(readAll(second.path()), QByteArray("\"Start: 07.12.2026 14:05:33\r\n\"\r\n"));
    }

    // The log holds the passwords as typed: other accounts must not read it.
    void logIsTheOwnersAlone_data()
    {
        QTest::addColumn<QString>("folder"); // below a temporary folder
        QTest::addColumn<int>("existing");   // permissions of a folder already there; 0: none
        QTest::addColumn<SessionLog::Existing>("mode");
        QTest::addColumn<int>("folderPermissions");
        const int owner = int(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const int everyone =
            owner | int(QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        QTest::newRow("new folder, window")
            << "data/log" << 0 << SessionLog::Existing::Replace << owner;
        QTest::newRow("new folder, command line")
            << "log" << 0 << SessionLog::Existing::Continue << owner;
        QTest::newRow("folder already there keeps its permissions")
            << "log" << everyone << SessionLog::Existing::Replace << everyone;
    }

    void logIsTheOwnersAlone()
    {
        QFETCH(QString, folder);
        QFETCH(int, existing);
        QFETCH(SessionLog::Existing, mode);
        QFETCH(int, folderPermissions);
        QTemporaryDir dir;
        const QString path = dir.filePath(folder);
        if (existing != 0) {
            QVERIFY(QDir().mkpath(path));
            QVERIFY(QFile::setPermissions(path, QFile::Permissions(existing)));
        }
        SessionLog log;
        QVERIFY(!log.start(path, QDateTime::currentDateTime(), mode).has_value());
        // The user's own bits: Qt adds the "user" ones beside the "owner" ones.
        const auto mask = [](QFile::Permissions p) {
            return int(p) & ~int(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        };
        QCOMPARE(mask(QFileInfo(path).permissions()), folderPermissions);
        QCOMPARE(mask(QFileInfo(log.path()).permissions()),
                 int(QFile::ReadOwner | QFile::WriteOwner));
    }

    void startFailureIsReportedWithANumber()
    {
        QTemporaryDir dir;
        // A file where the folder should be: the folder cannot be created.
        QFile blocker(dir.filePath("log"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SessionLog log;
        const auto failure = log.start(dir.filePath("log"), QDateTime::currentDateTime());
        QVERIFY(failure.has_value());
        QVERIFY(failure->number != 0);
        QVERIFY(!failure->description.isEmpty());
        QVERIFY(!log.append("lost", QTime(1, 2, 3)));
    }

    void cleanStrNamesControlBytes()
    {
        QCOMPARE(printableFrame(bytes({0x5D, 0x5B, 0x0D, 0x0A, 0x20, 0x41})),
                 QString("<ACK><NAK><CR><LF>@A"));
        QCOMPARE(printableFrame(bytes({0x00, 0x2F, 0x30, 0x7E})), QString("@@0~"));
        QCOMPARE(printableFrame(QByteArray()), QString());
    }

    void echoShowsHexThenRendering()
    {
        QCOMPARE(echoText(bytes({0x31, 0x01, 0xF0, 0xC5})),
                 QString("31 1 F0 C5 \r\n\r\n1@") + QChar(0xF0) + QChar(0xC5));
        QCOMPARE(echoText(QByteArray()), QString("\r\n\r\n"));
        QCOMPARE(echoText(bytes({0x0A})), QString("A \r\n\r\n<LF>"));
    }
};

QTEST_GUILESS_MAIN(tst_SessionLog)
#include "tst_sessionlog.moc"
