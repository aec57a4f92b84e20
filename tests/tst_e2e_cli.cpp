// levelconf-cli end to end: the built program as a child process against simulated sensors
// on a pseudo-terminal, judged by its output, its exit status and what the sensors hold.
#include "FastLoader.h"
#include "Faults.h"
#include "FirmwareImages.h"
#include "SensorSim.h"
#include "core/calibration/TableFile.h"

#include <QtTest>

#include <csignal>

namespace
{
// A sensor of each generation the command line builds frames for differently.
std::vector<SensorConfig> bus()
{
    std::vector<SensorConfig> sensors = demoSensors();
    for (SensorConfig &c : sensors)
        c.liveVariation = false;
    return sensors;
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

class Bench
{
public:
    Bench() : sim(bus()) {}

    bool start() { return sim.start(); }

    Run run(const QStringList &arguments, int limitMs = 60000)
    {
        QProcess p;
        p.start(LEVELCONF_CLI_PROGRAM,
                QStringList{"--port", sim.slavePath(), "--log-folder", dir.filePath("log")} +
                    arguments);
        if (!p.waitForFinished(limitMs))
            p.kill();
        p.waitForFinished();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QStringList logEvents() const
    {
        QStringList lines;
        const QDir logs(dir.filePath("log"));
        for (const QString &name : logs.entryList({"*.log"}, QDir::Files, QDir::Name)) {
            QFile f(logs.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                lines += QString::fromUtf8(f.readAll()).split("\r\n");
        }
        return lines;
    }

    SensorSim sim;
    QTemporaryDir dir;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class tst_E2ECli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void searchListsTheBus()
    {
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run({"search"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("1 2 5\n"));
        QCOMPARE(b.logEvents().filter("Устройства в сети 1 2 5 ").size(), 1);

        const Run json = b.run({"--json", "search"});
        QCOMPARE(json.out, QString("{\"addresses\":[1,2,5]}\n"));
    }

    void infoReadsIdentityModeAndSettings()
    {
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run({"--json", "info", "5"});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("serial").toInt(), 12345);
        QCOMPARE(o.value("firmware").toString(), QString("1.7.6."));
        QCOMPARE(o.value("mode").toString(), QString("rs485+filtration+range4096"));
        QCOMPARE(o.value("filtration_level").toInt(), 3);
        QCOMPARE(o.value("echo").toString(), QString("further"));
        QCOMPARE(o.value("max_distance_cm").toInt(), 1000);
        QCOMPARE(o.value("distance_cm").toDouble(), 204.8);
        QCOMPARE(b.logEvents().filter("Device: 12345  Ver Soft: 1.7.6.").size(), 1);
    }

    void watchPrintsOneCsvRowPerReading()
    {
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run({"watch", "5", "--count", "2", "--csv"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("time,address,distance_cm,"));
        QVERIFY2(lines[1].contains(",5,204.8,204.8,250000,21,2348,"), qPrintable(lines[1]));
    }

    void setSendsEachKeyInTurn_data()
    {
        QTest::addColumn<quint8>("address");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::addColumn<quint8>("mode"); // the sensor's mode byte afterwards

        // The window's refusal texts, on standard error, with nothing sent.
        QTest::newRow("range") << quint8(5) << QStringList{"max-distance=1201"} << 5
                               << "Values can be from 1 to 1200 cm\n"
                               << quint8(0x88);
        QTest::newRow("air") << quint8(5) << QStringList{"air=61,1000,35"} << 5
                             << "Acceptable temperature values -60.00 to 60.00 dgr\n"
                                "Wrong parameter values \n"
                             << quint8(0x88);
        QTest::newRow("checked before anything goes")
            << quint8(5) << QStringList{"mode=analog", "address=256"} << 5
            << "Enter a value from the range 0....255\n"
            << quint8(0x88);
        QTest::newRow("unknown key")
            << quint8(5) << QStringList{"colour=red"} << 1 << QString() << quint8(0x88);
        // The sensor's own refusal.
        QTest::newRow("locked") << quint8(2) << QStringList{"mode=analog"} << 4
                                << "mode: Wrong password.\n"
                                << quint8(0x80);
        QTest::newRow("unlocked first") << quint8(2) << QStringList{"password=1234", "mode=analog"}
                                        << 0 << QString() << quint8(0x02);
        QTest::newRow("keyed, second byte kept")
            << quint8(5) << QStringList{"mode=frequency+range4096+level=7"} << 0 << QString()
            << quint8(0x84);
        QTest::newRow("beyond the firmware, nothing sent")
            << quint8(1) << QStringList{"address=7", "mode=analog+level=5"} << 4
            << "mode: level= and echo= need firmware 1.7.6 or newer\n"
            << quint8(0x00);
        QTest::newRow("no answer") << quint8(9) << QStringList{"mode=analog"} << 3
                                   << "No data from sensor with address 9\nSensor not connected!\n"
                                   << quint8(0);
    }

    void setSendsEachKeyInTurn()
    {
        QFETCH(quint8, address);
        QFETCH(QStringList, keys);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(quint8, mode);
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run(QStringList{"set", QString::number(address)} + keys);
        QCOMPARE(r.status, status);
        if (!err.isEmpty())
            QCOMPARE(r.err, err);
        if (const auto s = b.sim.bus().sensor(address))
            QCOMPARE(s->mode, mode);
        if (status == 5 || status == 1)
            QCOMPARE(b.sim.bus().messagesHeard(), 0u);
    }

    void setFollowsANewAddress()
    {
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run({"set", "1", "address=7", "empty-shift=-25", "min-distance=20"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("address: Network address modified.\n"
                                "empty-shift: Empty value shifted.\n"
                                "min-distance: Min dist b/n 2 objects set.\n"));
        const auto s = b.sim.bus().sensor(7);
        QVERIFY(s);
        QCOMPARE(s->emptyValue, 35000u - 25);
        QCOMPARE(s->minDistance, quint8(20));
        const QStringList log = b.logEvents();
        QCOMPARE(log.filter("Cmd Set New net addr = 7").size(), 1);
        QCOMPARE(log.filter("Cmd Shift Low: -25").size(), 1);
    }

    void tableRoundTripCarriesTheFlags()
    {
        Bench b;
        QVERIFY(b.start());
        const QString file = b.path("tank.pl5");
        QCOMPARE(b.run({"table", "read", "5", file}).status, 0);
        QString error;
        QCOMPARE(readTableFile(file, &error)->size(), kTableFileLines);

        // Firmware 1.6.3 has no table: nothing is read or written.
        const CalibrationTable oldTable = b.sim.bus().sensor(1)->table;
        const Run old = b.run({"table", "read", "1", b.path("old.pl5")});
        QCOMPARE(old.status, 4);
        QCOMPARE(old.err, QString("table: needs firmware 1.7.0 or newer\n"));
        QVERIFY(!QFile::exists(b.path("old.pl5")));
        QCOMPARE(b.run({"table", "write", "1", file}).status, 4);
        QVERIFY(b.sim.bus().sensor(1)->table == oldTable);

        const Run w = b.run({"table", "write", "2", file, "--percent"});
        QCOMPARE(w.status, 4); // sensor 2 is locked
        QCOMPARE(b.run({"set", "2", "password=1234"}).status, 0);
        QCOMPARE(b.run({"table", "write", "2", file, "--percent"}).status, 0);
        const auto written = b.sim.bus().sensor(2);
        QVERIFY(written->table == b.sim.bus().sensor(5)->table);
        // The mode the sensor had, its range flag kept, with the per-cent flag.
        QCOMPARE(written->mode, quint8(0xA0));
    }

    void aBadTableFileSendsNothing()
    {
        Bench b;
        QVERIFY(b.start());
        QStringList cells = tableFileLines(CalibrationCells::defaults());
        cells[3] = "12a";
        QVERIFY(writeFile(b.path("bad.pl5"), cells.join("\r\n").toUtf8() + "\r\n"));
        QVERIFY(writeFile(b.path("short.pl5"), "1\r\n2\r\n"));

        const Run bad = b.run({"table", "write", "5", b.path("bad.pl5")});
        QCOMPARE(bad.status, 5);
        QVERIFY2(bad.err.startsWith("Point 3, "), qPrintable(bad.err));
        QCOMPARE(b.run({"table", "write", "5", b.path("short.pl5")}).status, 5);
        QCOMPARE(b.sim.bus().messagesHeard(), 0u);
    }

    void flashWritesAFullImage()
    {
        Bench b;
        b.sim.setLoader(fastLoader());
        QVERIFY(b.start());
        const QByteArray image = firmwareImage(pl540Type(), 224);
        QVERIFY(writeFile(b.path("PL-540.cri"), image));
        const Run r = b.run({"flash", b.path("PL-540.cri"), "--type", "PL540"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("Firmware update done.\n"));
        // The prompt alone: no progress where nobody watches a terminal.
        QCOMPARE(r.err, QString("Waiting for the loader: switch the sensor off and on\n"));
        const BootLoader loader = b.sim.loader();
        QCOMPARE(loader.stats().goCount, 1u);
        QCOMPARE(loader.memory().image().mid(128 * 160, 128 * 224), image.mid(64 + 128 * 160));
    }

    void flashRefusesADamagedImageBeforeSending()
    {
        Bench b;
        QVERIFY(b.start());
        QByteArray image = firmwareImage(pl540Type(), 4);
        image[64 + 128 * 160] = 'x';
        QVERIFY(writeFile(b.path("bad.cri"), image));
        const Run r = b.run({"flash", b.path("bad.cri"), "--type", "PL540"});
        QCOMPARE(r.status, 5);
        QVERIFY(r.err.endsWith("Nothing was sent to the sensor.\n"));
        QCOMPARE(b.sim.loaderStats().syncsIgnored, 0u);
    }

    void flashBeyondTheProgramMemorySendsNothing()
    {
        Bench b;
        b.sim.setLoader(fastLoader());
        QVERIFY(b.start());
        // More application blocks than the program memory holds: refused before the erase,
        // which would otherwise leave the sensor without firmware.
        QVERIFY(writeFile(b.path("big.cri"), firmwareImage(pl540Type(), 1000)));
        const Run r = b.run({"flash", b.path("big.cri"), "--type", "PL540"});
        QCOMPARE(r.status, 5);
        QVERIFY2(r.err.contains("program memory ends at 0x27FFF"), qPrintable(r.err));
        QCOMPARE(b.sim.loaderStats().syncsIgnored, 0u);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("fault"); // of sensor 5
        QTest::addColumn<int>("vanishAfter");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");

        const int none = int(Fault::None);
        QTest::newRow("no command") << QStringList{} << none << 0 << 1 << QString();
        QTest::newRow("bad address") << QStringList{"info", "300"} << none << 0 << 1
                                     << "ADDR is a network address, 0 to 255\n";
        QTest::newRow("flash without type")
            << QStringList{"flash", "x.cri"} << none << 0 << 1 << QString();
        QTest::newRow("no such port") << QStringList{"--port", "/nonexistent/tty", "search"} << none
                                      << 0 << 2 << "Com Port /nonexistent/tty unavailable.\n";
        QTest::newRow("port lost") << QStringList{"set", "5", "mode=analog"} << none << 1 << 2
                                   << "Error! COM port unavailable\n";
        QTest::newRow("silent sensor")
            << QStringList{"set", "5", "address=6"} << int(Fault::Silent) << 0 << 3
            << "No data from sensor with address 5\nSensor not connected!\n";
        QTest::newRow("frequency mode") << QStringList{"info", "5"} << int(Fault::FrequencyMode)
                                        << 0 << 4 << "Sensor set to Frequency mode.\n";
        QTest::newRow("unknown answer") << QStringList{"set", "5", "air=20,1000,35"}
                                        << int(Fault::WrongCode) << 0 << 4 << QString();
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, fault);
        QFETCH(int, vanishAfter);
        QFETCH(int, status);
        QFETCH(QString, err);
        Bench b;
        b.sim.bus().setFault(5, Fault(fault));
        b.sim.setVanishAfter(quint64(vanishAfter));
        QVERIFY(b.start());
        const Run r = b.run(arguments);
        QCOMPARE(r.status, status);
        if (!err.isEmpty())
            QCOMPARE(r.err, err);
    }

    void interruptedFlashWritesNothing()
    {
        LoaderSettings absent = fastLoader();
        absent.present = false;
        Bench b;
        b.sim.setLoader(absent);
        QVERIFY(b.start());
        QVERIFY(writeFile(b.path("PL-540.cri"), firmwareImage(pl540Type(), 4)));
        QProcess p;
        p.start(LEVELCONF_CLI_PROGRAM, {"--port", b.sim.slavePath(), "--log-folder", b.path("log"),
                                        "flash", b.path("PL-540.cri"), "--type", "PL540"});
        QTRY_VERIFY_WITH_TIMEOUT(b.sim.loaderStats().syncsIgnored >= 3, 30000);
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 130);
        QVERIFY(QString::fromUtf8(p.readAllStandardError())
                    .endsWith("Firmware update cancelled before the loader answered. Nothing was "
                              "written to the sensor.\n"));
    }

    void interruptedWatchEndsInOrder()
    {
        Bench b;
        QVERIFY(b.start());
        QProcess p;
        p.start(LEVELCONF_CLI_PROGRAM,
                {"--port", b.sim.slavePath(), "--log-folder", b.path("log"), "watch", "5"});
        QVERIFY(p.waitForReadyRead(30000));
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(b.logEvents().filter("Com Port " + b.sim.slavePath() + " Closed").size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_E2ECli)
#include "tst_e2e_cli.moc"
