#include "BlockingLine.h"
#include "PortReports.h"
#include "PtyPair.h"
#include "core/serial/LineSettings.h"
#include "core/serial/PortAdvice.h"
#include "core/serial/PortNames.h"
#include "core/serial/QtSerialPort.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace levelconf;

Q_DECLARE_METATYPE(QList<int>)

namespace
{
const QString kSettings = QStringLiteral("19200,n,8,1");

QByteArray pattern(int n)
{
    QByteArray out(n, '\0');
    for (int i = 0; i < n; ++i)
        out[i] = char((i * 7 + 3) & 0xFF);
    return out;
}

// Counts the flushes that the port's own reads ask for.
class CountingPort : public QtSerialPort
{
public:
    using QtSerialPort::QtSerialPort;
    void flush() override
    {
        ++flushes;
        QtSerialPort::flush();
    }
    int flushes = 0;
};
} // namespace

class tst_SerialPort : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- rules without a device ----

    void writesGoOutInPiecesOf255_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("pieces");
        QTest::newRow("empty") << 0 << QList<int>{};
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("255") << 255 << QList<int>{255};
        QTest::newRow("256") << 256 << QList<int>{255, 1};
        QTest::newRow("600") << 600 << QList<int>{255, 255, 90};
        QTest::newRow("510") << 510 << QList<int>{255, 255};
    }
    void writesGoOutInPiecesOf255()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, pieces);
        const QByteArray data = pattern(size);
        QList<int> sizes;
        QByteArray joined;
        for (const QByteArray &p : writePieces(data)) {
            sizes.append(int(p.size()));
            joined += p;
        }
        QCOMPARE(sizes, pieces);
        QCOMPARE(joined, data);
    }

    void lineSettings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopBits");
        using P = LineSettings::Parity;
        using S = LineSettings::StopBits;
        QTest::newRow("the bus") << "19200,n,8,1" << true << 19200 << int(P::None) << 8
                                 << int(S::One);
        QTest::newRow("upper case, even, 2 stop")
            << "9600,E,7,2" << true << 9600 << int(P::Even) << 7 << int(S::Two);
        QTest::newRow("odd, 1.5 stop")
            << "4800,o,5,1.5" << true << 4800 << int(P::Odd) << 5 << int(S::OneAndHalf);
        QTest::newRow("blanks") << " 19200, n, 8, 1" << true << 19200 << int(P::None) << 8
                                << int(S::One);
        QTest::newRow("unknown parity") << "19200,q,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("nine data bits") << "19200,n,9,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("three stop bits") << "19200,n,8,3" << false << 0 << 0 << 0 << 0;
        QTest::newRow("zero baud") << "0,n,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("words") << "fast,n,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("three fields") << "19200,n,8" << false << 0 << 0 << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0 << 0;
    }
    void lineSettings()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto parsed = parseLineSettings(text);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid)
            return;
        QTEST(int(parsed->baud), "baud");
        QTEST(int(parsed->parity), "parity");
        QTEST(parsed->dataBits, "dataBits");
        QTEST(int(parsed->stopBits), "stopBits");
    }

    void portNamesInNaturalOrder()
    {
        const QStringList names = {"ttyS10", "ttyUSB0", "ttyS2", "ttyACM0",
                                   "COM10",  "COM3",    "ttyS2", "ttyS1"};
        QCOMPARE(sortPortNames(names),
                 (QStringList{"COM3", "COM10", "ttyACM0", "ttyS1", "ttyS2", "ttyS10", "ttyUSB0"}));
        QVERIFY(naturalLess("COM9", "COM10"));
        QVERIFY(!naturalLess("COM10", "COM9"));
        QVERIFY(naturalLess("ttyS02", "ttyS10"));

        QStringList many;
        for (int i = 39; i >= 0; --i)
            many.append(QStringLiteral("ttyS%1").arg(i));
        const QStringList listed = sortPortNames(many);
        QCOMPARE(listed.size(), 30);
        QCOMPARE(listed.first(), QString("ttyS0"));
        QCOMPARE(listed.last(), QString("ttyS29"));
    }

    void deviceNames_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("device");
        QTest::newRow("windows port") << "COM3" << true << "\\\\.\\COM3";
        QTest::newRow("linux port") << "ttyUSB0" << false << "/dev/ttyUSB0";
        QTest::newRow("typed path") << "/tmp/bus-link" << false << "/tmp/bus-link";
        QTest::newRow("typed windows path") << "\\\\.\\COM12" << true << "\\\\.\\COM12";
    }
    void deviceNames()
    {
        QFETCH(QString, item);
        QFETCH(bool, windows);
        QTEST(deviceNameFor(item, windows), "device");
    }

    void thePlatformListIsSortedAndShort()
    {
        QtSerialPort port;
        const QStringList names = port.portNames();
        QVERIFY(names.size() <= 30);
        QVERIFY(std::is_sorted(names.begin(), names.end(), naturalLess));
        for (const QString &name : names)
            QVERIFY2(port.portExists(name), qPrintable(name));
        QVERIFY(!port.portExists("ttyLEVELCONF99"));
    }

    // ---- on a pseudo-terminal ----

    void openSetsTheLineUp()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        PortReports reports;
        QtSerialPort port;
        reports.watch(port);
        QVERIFY(port.portExists(pty.slavePath()));
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QCOMPARE(port.lastOpenFailure(), SerialPort::OpenFailure::None);

        termios t{};
        QCOMPARE(::tcgetattr(pty.slaveFd(), &t), 0);
        QCOMPARE(::cfgetospeed(&t), speed_t(B19200));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
        QCOMPARE(t.c_lflag & (ICANON | ECHO), tcflag_t(0));
        QVERIFY(reports.messages().isEmpty());
        QVERIFY(port.close());
        QVERIFY(!port.close());
    }

    void writesArriveWhole_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("request") << 4;
        QTest::newRow("255") << 255;
        QTest::newRow("256") << 256;
        QTest::newRow("600") << 600;
    }
    void writesArriveWhole()
    {
        QFETCH(int, size);
        PtyPair pty;
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        const QByteArray data = pattern(size);
        QCOMPARE(line.write(data), size);
        QCOMPARE(pty.readAll(), data);
    }

    void aReadTakesAtMost255AndKeepsTheRest()
    {
        PtyPair pty;
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        const QByteArray sent = pattern(300);
        QVERIFY(pty.write(sent));
        QVERIFY(pty.waitForSlaveInput(300));
        QCOMPARE(line.read(), sent.left(255));
        QCOMPARE(line.read(), sent.mid(255));
        QCOMPARE(line.read(), QByteArray());
    }

    void aReadReturnsWhatHasArrived()
    {
        PtyPair pty;
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        const QByteArray answer = QByteArray::fromHex("3e05fadf");
        QVERIFY(pty.write(answer));
        QVERIFY(pty.waitForSlaveInput(answer.size()));
        QCOMPARE(line.read(), answer);
    }

    void anEmptyReadFlushesAndLeavesThePortUsable()
    {
        PtyPair pty;
        CountingPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QCOMPARE(line.read(), QByteArray());
        QCOMPARE(port.flushes, 1);

        QVERIFY(pty.write("abc"));
        QVERIFY(pty.waitForSlaveInput(3));
        QCOMPARE(line.read(), QByteArray("abc"));
        QCOMPARE(port.flushes, 1);
        QCOMPARE(line.write("ok"), 2);
        QCOMPARE(pty.readAll(), QByteArray("ok"));
    }

    void aFlushKeepsTheBytesReceived()
    {
        PtyPair pty;
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QVERIFY(pty.write("xyz"));
        QVERIFY(pty.waitForSlaveInput(3));
        port.flush();
        QCOMPARE(line.read(), QByteArray("xyz"));
    }

    void bytesFromBeforeTheOpenAreDropped()
    {
        PtyPair pty;
        QVERIFY(pty.write("stale"));
        QVERIFY(pty.waitForSlaveInput(5));
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QVERIFY(pty.write("new"));
        QVERIFY(pty.waitForSlaveInput(3));
        QCOMPARE(line.read(), QByteArray("new"));
    }

    void theOpenIsExclusive()
    {
        PtyPair pty;
        PortReports reports;
        QtSerialPort first;
        reports.watch(first);
        QtSerialPort second;
        BlockingLine secondLine(second);
        reports.watch(second);
        QVERIFY(first.open(pty.slavePath(), kSettings));

        QVERIFY(!second.open(pty.slavePath(), kSettings));
        QCOMPARE(second.lastOpenFailure(), SerialPort::OpenFailure::Busy);

        // The same device by another name is still the same device.
        QTemporaryDir dir;
        const QString link = dir.filePath("bus-link");
        QVERIFY(QFile::link(pty.slavePath(), link));
        QVERIFY(!second.open(link, kSettings));
        QCOMPARE(second.lastOpenFailure(), SerialPort::OpenFailure::Busy);
        QVERIFY(reports.messages().isEmpty());

        QVERIFY(first.close());
        QVERIFY(second.open(link, kSettings));
        QCOMPARE(secondLine.write("via link"), 8);
        QCOMPARE(pty.readAll(), QByteArray("via link"));
    }

    void aMissingDeviceFailsWithoutAMessage()
    {
        PortReports reports;
        QtSerialPort port;
        BlockingLine line(port);
        reports.watch(port);
        const QString missing = QStringLiteral("/dev/levelconf-no-such-port");
        QVERIFY(!port.portExists(missing));
        QVERIFY(!port.open(missing, kSettings));
        QCOMPARE(port.lastOpenFailure(), SerialPort::OpenFailure::NotFound);
        QVERIFY(reports.messages().isEmpty());
        QCOMPARE(line.read(), QByteArray());
        QCOMPARE(line.write("abc"), 0);
        QVERIFY(!port.close());
    }

    void aDeviceWithoutAccessIsAPermissionFailure()
    {
        if (::geteuid() == 0)
            QSKIP("access rights do not bind the superuser");
        PtyPair pty;
        QVERIFY(::chmod(pty.slavePath().toLocal8Bit().constData(), 0) == 0);
        PortReports reports;
        QtSerialPort port;
        reports.watch(port);
        QVERIFY(!port.open(pty.slavePath(), kSettings));
        QCOMPARE(port.lastOpenFailure(), SerialPort::OpenFailure::PermissionDenied);
        QVERIFY(reports.messages().isEmpty());
    }

    // Every refusal has a reason the operator is told, found without waiting on anything
    // that is not a port.
    void eachRefusalSaysWhy_data()
    {
        QTest::addColumn<QString>("make");
        QTest::addColumn<int>("failure");
        using F = SerialPort::OpenFailure;
        QTest::newRow("nothing there") << "missing" << int(F::NotFound);
        QTest::newRow("a link to nothing") << "dangling link" << int(F::NotFound);
        QTest::newRow("a file on the way") << "under a file" << int(F::NotFound);
        QTest::newRow("two links to each other") << "loop" << int(F::LinkLoop);
        QTest::newRow("a folder") << "folder" << int(F::NotASerialPort);
        QTest::newRow("a regular file") << "file" << int(F::NotASerialPort);
        QTest::newRow("a named pipe") << "fifo" << int(F::NotASerialPort);
        QTest::newRow("a device without line settings") << "/dev/null" << int(F::NotASerialPort);
        QTest::newRow("in use") << "in use" << int(F::Busy);
        QTest::newRow("locked by another program") << "locked" << int(F::Busy);
        QTest::newRow("no permission") << "no access" << int(F::PermissionDenied);
    }
    void eachRefusalSaysWhy()
    {
        QFETCH(QString, make);
        QFETCH(int, failure);
        QTemporaryDir dir;
        PtyPair pty;
        QtSerialPort holder;
        int locked = -1;
        const auto unlock = qScopeGuard([&locked] {
            if (locked >= 0)
                ::close(locked);
        });
        const QString path = dir.filePath("port");
        const QByteArray p = QFile::encodeName(path);
        const QByteArray other = QFile::encodeName(dir.filePath("other"));
        QString name = path;
        if (make == "dangling link") {
            QVERIFY(::symlink(other.constData(), p.constData()) == 0);
        } else if (make == "under a file") {
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
            name = path + "/tty";
        } else if (make == "loop") {
            QVERIFY(::symlink(other.constData(), p.constData()) == 0);
            QVERIFY(::symlink(p.constData(), other.constData()) == 0);
        } else if (make == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("port"));
        } else if (make == "file") {
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        } else if (make == "fifo") {
            QVERIFY(::mkfifo(p.constData(), 0600) == 0);
        } else if (make == "in use") {
            QVERIFY(holder.open(pty.slavePath(), kSettings));
            name = pty.slavePath();
        } else if (make == "locked") {
            // As a terminal program holds it: no lock file, no exclusive flag, only the
            // kernel's lock on the device.
            locked = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR | O_NOCTTY);
            QVERIFY(locked >= 0 && ::flock(locked, LOCK_EX | LOCK_NB) == 0);
            name = pty.slavePath();
        } else if (make == "no access") {
            if (::geteuid() == 0)
                QSKIP("access rights do not bind the superuser");
            QVERIFY(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0) == 0);
            name = pty.slavePath();
        } else if (make != "missing") {
            name = make;
        }

        PortReports reports;
        QtSerialPort port;
        reports.watch(port);
        QVERIFY(!port.open(name, kSettings));
        QCOMPARE(int(port.lastOpenFailure()), failure);
        QVERIFY(!openFailureAdvice(port.lastOpenFailure(), name).isEmpty());
        QVERIFY(reports.messages().isEmpty());
        QVERIFY(!port.close());
    }

    // A device is one port by whatever name it is reached, in either direction, and free
    // again once its holder lets it go. The kernel's lock does this for the superuser too,
    // whom the terminal's exclusive flag does not stop.
    void oneDeviceUnderAnyNameIsOnePort_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("a doubled slash") << "doubled slash";
        QTest::newRow("a way up and down") << "parent";
        QTest::newRow("a link to a link") << "link to link";
        QTest::newRow("relative to the current folder") << "relative";
    }
    void oneDeviceUnderAnyNameIsOnePort()
    {
        QFETCH(QString, spelling);
        PtyPair pty;
        QTemporaryDir dir;
        const QString plain = pty.slavePath(); // /dev/pts/N
        const QString folder = QFileInfo(plain).path();
        const QString leaf = QFileInfo(plain).fileName();
        QString name;
        if (spelling == "doubled slash") {
            name = QString(plain).insert(plain.indexOf('/', 1), '/');
        } else if (spelling == "parent") {
            name = folder + "/../" + QFileInfo(folder).fileName() + '/' + leaf;
        } else if (spelling == "link to link") {
            QVERIFY(QFile::link(plain, dir.filePath("first")));
            name = dir.filePath("bus");
            QVERIFY(QFile::link(dir.filePath("first"), name));
        } else {
            name = QDir::current().relativeFilePath(plain);
        }
        QVERIFY2(name != plain && QFileInfo(name).canonicalFilePath() == plain, qPrintable(name));

        QtSerialPort first;
        QtSerialPort second;
        BlockingLine secondLine(second);
        QVERIFY(first.open(plain, kSettings));
        QVERIFY(!second.open(name, kSettings));
        QCOMPARE(second.lastOpenFailure(), SerialPort::OpenFailure::Busy);
        // The refused open left the holder's terminal as it was, exclusive flag and all.
        int exclusive = 0;
        QCOMPARE(::ioctl(pty.slaveFd(), TIOCGEXCL, &exclusive), 0);
        QCOMPARE(exclusive, 1);

        QVERIFY(first.close());
        QVERIFY(second.open(name, kSettings));
        QCOMPARE(secondLine.write("by name"), 7);
        QCOMPARE(pty.readAll(), QByteArray("by name"));
        QVERIFY(!first.open(plain, kSettings));
        QCOMPARE(first.lastOpenFailure(), SerialPort::OpenFailure::Busy);
        QVERIFY(second.close());
        QVERIFY(first.open(plain, kSettings));
    }

    void unreadableSettingsAreReportedAndThePortLetGo()
    {
        PtyPair pty;
        PortReports reports;
        QtSerialPort port;
        BlockingLine line(port);
        reports.watch(port);
        QVERIFY(!port.open(pty.slavePath(), "19200,q,8,1"));
        QCOMPARE(reports.messages(),
                 QStringList{
                     QStringLiteral("Unable to build Comm DCB 19200,q,8,1 Error: %1").arg(EINVAL)});
        QCOMPARE(line.write("abc"), 0);

        QtSerialPort other;
        QVERIFY(other.open(pty.slavePath(), kSettings));
    }

    void aVanishedDeviceFailsQuietly()
    {
        auto pty = std::make_unique<PtyPair>();
        PortReports reports;
        QtSerialPort port;
        BlockingLine line(port);
        reports.watch(port);
        QVERIFY(port.open(pty->slavePath(), kSettings));
        pty->closeMaster();

        const QByteArray frame = QByteArray::fromHex("3101f0c5");
        QVERIFY(line.write(frame) < frame.size());
        QCOMPARE(line.read(), QByteArray());
        QVERIFY(port.deviceLost());
        // The window's event loop goes on running while the port is still "open".
        QTest::qWait(50);
        QVERIFY(line.write(frame) < frame.size());
        QCOMPARE(line.read(), QByteArray());
        port.flush();
        QVERIFY(port.close());
        QVERIFY(reports.messages().isEmpty());

        pty = std::make_unique<PtyPair>();
        QVERIFY(port.open(pty->slavePath(), kSettings));
        QVERIFY(!port.deviceLost());
        QCOMPARE(line.write(frame), 4);
        QCOMPARE(pty->readAll(), frame);
    }

    void aDeviceThatGoesWhileIdleIsNoticedByTheEventLoop()
    {
        PtyPair pty;
        QtSerialPort port;
        BlockingLine line(port);
        QVERIFY(port.open(pty.slavePath(), kSettings));
        pty.closeMaster();
        QTRY_VERIFY(port.deviceLost());
        QCOMPARE(line.write("abc"), 0);
        QVERIFY(port.close());
    }

    // ---- without waiting ----

    void sendingHandsOverAtOnceAndArrivalsAreAnnounced()
    {
        PtyPair pty;
        QtSerialPort port;
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QSignalSpy arrivals(&port.events(), &SerialPortEvents::bytesArrived);
        const QByteArray block = pattern(130);
        QCOMPARE(port.send(block), 130);
        QCOMPARE(pty.readAll(), block);
        QCOMPARE(port.takeArrived(), QByteArray());

        QVERIFY(pty.write("\x79"));
        QTRY_VERIFY(!arrivals.isEmpty());
        QCOMPARE(port.takeArrived(), QByteArray("\x79"));
        QCOMPARE(port.takeArrived(), QByteArray());
        QVERIFY(port.close());
        QCOMPARE(port.send(block), 0);
    }

    void aLostDeviceIsAnnouncedOnce()
    {
        PtyPair pty;
        QtSerialPort port;
        QVERIFY(port.open(pty.slavePath(), kSettings));
        QSignalSpy lost(&port.events(), &SerialPortEvents::deviceLost);
        pty.closeMaster();
        QTRY_COMPARE(lost.size(), 1);
        QCOMPARE(port.send("abc"), 0);
        QCOMPARE(port.takeArrived(), QByteArray());
        QTest::qWait(20);
        QCOMPARE(lost.size(), 1);
        QVERIFY(port.close());
    }
};

QTEST_GUILESS_MAIN(tst_SerialPort)
#include "tst_serialport.moc"
