// levelconf-cli end to end: the built program as a child process against simulated sensors
// on a pseudo-terminal, judged by its output, its exit status and what the sensors hold.
#include "Answers.h"
#include "FastLoader.h"
#include "Faults.h"
#include "FirmwareImages.h"
#include "PtyPair.h"
#include "SensorSim.h"
#include "core/calibration/TableFile.h"
#include "core/files/TextFile.h"

#include <QtTest>

#include <csignal>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

using namespace levelconf;

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
        p.setProcessEnvironment(env);
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

    // The program's command line with its port and log folder, for a shell to run.
    QString commandLine(const QStringList &arguments) const
    {
        return QStringList{LEVELCONF_CLI_PROGRAM, "--port", sim.slavePath(), "--log-folder",
                           dir.filePath("log")}
                   .join(' ') +
               ' ' + arguments.join(' ');
    }

    // `shell` run by bash with {cli} standing for the program and its port: its status,
    // which pipefail makes the program's own in a pipe.
    int shell(QString shell, const QStringList &arguments)
    {
        QProcess p;
        p.start("bash",
                {"-c", "set -o pipefail; " + shell.replace("{cli}", commandLine(arguments))});
        if (!p.waitForFinished(60000))
            p.kill();
        p.waitForFinished();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
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

    // A header, then a row a reading: the readings file's own lines with --csv, else columns
    // of one number format, the stability left out while the lamp cannot tell.
    void watchPrintsOneRowPerReading_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("row"); // after the time
        QTest::newRow("csv") << QStringList{"--csv"}
                             << "time,address,distance_cm,level_text,amplitude,temperature_C,"
                                "frequency_Hz,analog_V,stability,output,volume_L,percent\r"
                             << ",5,204.8,204.8,250000,21,2348,2.5,,distance,,\r";
        QTest::newRow("columns") << QStringList{}
                                 << "time address distance_cm amplitude temperature_C stability"
                                 << " 5 204.8 250000 21";
    }
    void watchPrintsOneRowPerReading()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, header);
        QFETCH(QString, row);
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run(QStringList{"watch", "5", "--count", "2"} + arguments);
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], header);
        QVERIFY2(lines[1].endsWith(row) && lines[2].endsWith(row), qPrintable(lines[1]));
    }

    // The output in the quantity the mode names: the sensor's table of a 3000-litre tank
    // turns its distance code of 2048 into 1500 L, or 50 % of the tank;
    // --json and --csv name the kind and carry the output under its own key and column.
    void theOutputIsInTheQuantityOfTheMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("csv"); // the row after the time, from the distance
        QTest::newRow("litres") << "active-rs485+litres+range4096"
                                << "volume"
                                << "volume_L" << 1500.0
                                << ",5,,1500,250000,21,1800,1.83,,volume,1500,";
        QTest::newRow("per cent") << "active-rs485+percent+range4096"
                                  << "percent"
                                  << "percent" << 50.0 << ",5,,50,250000,21,800,0.61,,percent,,50";
        QTest::newRow("distance") << "active-rs485+range4096"
                                  << "distance"
                                  << "distance_cm" << 204.8
                                  << ",5,204.8,204.8,250000,21,2348,2.5,,distance,,";
    }
    void theOutputIsInTheQuantityOfTheMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(double, value);
        QFETCH(QString, csv);
        Bench b;
        QVERIFY(b.start());
        QCOMPARE(b.run({"set", "5", "mode=" + mode}).status, 0);
        const Run json = b.run({"--json", "watch", "5", "--count", "1"});
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.value("output").toString(), kind);
        QCOMPARE(o.value(key).toDouble(), value);
        for (const char *other : {"distance_cm", "volume_L", "percent"})
            QCOMPARE(o.contains(other), key == other);
        const Run rows = b.run({"--csv", "watch", "5", "--count", "1"});
        const QStringList lines = rows.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[1].endsWith(csv), qPrintable(lines[1]));
        const Run info = b.run({"--json", "info", "5"});
        QCOMPARE(QJsonDocument::fromJson(info.out.toUtf8()).object().value("output").toString(),
                 kind);
    }

    void setSendsEachKeyInTurn_data()
    {
        QTest::addColumn<quint8>("address");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::addColumn<quint8>("mode"); // the sensor's mode byte afterwards

        // The window's refusal texts in English, on standard error, with nothing sent.
        QTest::newRow("range") << quint8(5) << QStringList{"max-distance=1201"} << 5
                               << "levelconf-cli: Acceptable values: 1 to 1200 cm\n"
                               << quint8(0x88);
        QTest::newRow("air") << quint8(5) << QStringList{"air=61,1000,35"} << 5
                             << "levelconf-cli: Acceptable temperatures: -60.00 to 60.00 °C\n"
                                "levelconf-cli: Wrong parameter values\n"
                             << quint8(0x88);
        QTest::newRow("checked before anything goes")
            << quint8(5) << QStringList{"mode=analog", "address=256"} << 5
            << "levelconf-cli: Enter a value from 0 to 255\n"
            << quint8(0x88);
        QTest::newRow("unknown key")
            << quint8(5) << QStringList{"colour=red"} << 1 << QString() << quint8(0x88);
        // The sensor's own refusal.
        QTest::newRow("locked") << quint8(2) << QStringList{"mode=analog"} << 4
                                << "levelconf-cli: mode: Wrong password.\n"
                                << quint8(0x80);
        QTest::newRow("unlocked first") << quint8(2) << QStringList{"password=1234", "mode=analog"}
                                        << 0 << QString() << quint8(0x02);
        QTest::newRow("keyed, second byte kept")
            << quint8(5) << QStringList{"mode=frequency+range4096+level=7"} << 0 << QString()
            << quint8(0x84);
        QTest::newRow("beyond the firmware, nothing sent")
            << quint8(1) << QStringList{"address=7", "mode=analog+level=5"} << 4
            << "levelconf-cli: mode: level= and echo= need firmware 1.7.6 or newer\n"
            << quint8(0x00);
        QTest::newRow("no answer") << quint8(9) << QStringList{"mode=analog"} << 3
                                   << "levelconf-cli: No data from the sensor at address 9\n"
                                      "levelconf-cli: The sensor is not connected!\n"
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

    // The same run in each language: the words change, and nothing else does, neither what
    // the sensor hears nor the exit status nor the session log's lines.
    void theLanguageChangesOnlyTheWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("locale"); // LC_ALL
        QTest::addColumn<QString>("language");
        const QList<std::pair<const char *, QStringList>> runs{
            {"sensor's refusal", {"set", "2", "mode=analog"}},
            {"no port", {"--port", "/nonexistent/tty", "search"}},
            {"usage error", {"info", "5", "--litres"}},
            {"help", {"--help"}}};
        for (const auto &[name, arguments] : runs) {
            QTest::addRow("%s, --language en", name) << arguments << "ru_RU.UTF-8"
                                                     << "en";
            QTest::addRow("%s, --language ru", name) << arguments << "C.UTF-8"
                                                     << "ru";
            QTest::addRow("%s, ru locale", name) << arguments << "ru_RU.UTF-8" << QString();
        }
    }
    void theLanguageChangesOnlyTheWords()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, locale);
        QFETCH(QString, language);
        Bench b;
        std::mutex heardLock;
        QStringList heard;
        b.sim.setTrace([&](const QString &line) {
            const std::lock_guard<std::mutex> lock(heardLock);
            heard << line;
        });
        QVERIFY(b.start());
        // What a run leaves: its status, the bytes both ways, its log lines without times.
        const auto observe = [&](const QStringList &args) {
            const int logged = b.logEvents().filter(" : ").size();
            const Run r = b.run(args);
            // Every answer out on the line, so that the trace holds the whole exchange.
            QTest::qWaitFor([&] { return b.sim.messagesSettled() == b.sim.bus().messagesHeard(); });
            const std::lock_guard<std::mutex> lock(heardLock);
            QStringList log = b.logEvents().filter(" : ").mid(logged);
            for (QString &line : log)
                line = line.section(" : ", 1);
            return std::tuple{r, std::exchange(heard, {}), log};
        };
        b.env.insert("LC_ALL", "C.UTF-8");
        const auto [english, englishHeard, englishLog] = observe(arguments);
        b.env.insert("LC_ALL", locale);
        const QStringList chosen =
            language.isEmpty() ? QStringList{} : QStringList{"--language", language};
        const auto [run, runHeard, runLog] = observe(chosen + arguments);

        static const QRegularExpression cyrillic("\\p{Cyrillic}");
        QVERIFY2(!(english.out + english.err).contains(cyrillic), qPrintable(english.err));
        const bool russian = language != "en";
        const QString text = run.out + run.err;
        QVERIFY2(text.contains(cyrillic) == russian, qPrintable(text));
        // No line of a refusal stays in English.
        for (const QString &line : run.err.split('\n', Qt::SkipEmptyParts))
            QVERIFY2(line.contains(cyrillic) == russian, qPrintable(line));
        QCOMPARE(run.status, english.status);
        QCOMPARE(runHeard, englishHeard);
        QCOMPARE(runLog, englishLog);
    }

    void setFollowsANewAddress()
    {
        Bench b;
        QVERIFY(b.start());
        const Run r = b.run(
            {"set", "1", "address=7", "empty-shift=-25", "min-distance=20", "max-distance=750"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("address: Network address changed.\n"
                                "empty-shift: Empty level shifted.\n"
                                "min-distance: Minimum distance between two objects set.\n"
                                "max-distance: Distance limit set.\n"));
        const auto s = b.sim.bus().sensor(7);
        QVERIFY(s);
        QCOMPARE(s->emptyValue, 35000u - 25);
        QCOMPARE(s->minDistance, quint8(20));
        const QStringList log = b.logEvents();
        QCOMPARE(log.filter("Cmd Set New net addr = 7").size(), 1);
        QCOMPARE(log.filter("Cmd Shift Low: -25").size(), 1);
        // The window's line for the confirmation, with the limit the sensor reports.
        QCOMPARE(log.filter("Max distance set 750").size(), 1);
    }

    void tableRoundTripCarriesTheFlags()
    {
        Bench b;
        QVERIFY(b.start());
        const QString file = b.path("tank.pl5");
        QCOMPARE(b.run({"table", "read", "5", file}).status, 0);
        QString error;
        QCOMPARE(readTableFile(file, &error)->size(), kTableFileLines);
        // "-": the file's own bytes on standard output.
        QFile read(file);
        QVERIFY(read.open(QIODevice::ReadOnly));
        QCOMPARE(b.run({"table", "read", "5", "-"}).out.toUtf8(), read.readAll());

        // Firmware 1.6.3 has no table: nothing is read or written.
        const CalibrationTable oldTable = b.sim.bus().sensor(1)->table;
        const Run old = b.run({"table", "read", "1", b.path("old.pl5")});
        QCOMPARE(old.status, 4);
        QCOMPARE(old.err, QString("levelconf-cli: table: needs firmware 1.7.0 or newer\n"));
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
        QVERIFY2(bad.err.startsWith("levelconf-cli: Point 3, "), qPrintable(bad.err));
        QCOMPARE(b.run({"table", "write", "5", b.path("short.pl5")}).status, 5);
        QCOMPARE(b.sim.bus().messagesHeard(), 0u);
    }

    // Every block written either way; a refused start is no success, and no "Start" is
    // there to press.
    void flashWritesAFullImage_data()
    {
        QTest::addColumn<bool>("refuseStart");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errEnd");
        QTest::newRow("started") << false << 0 << "Firmware update done.\n" << QString();
        QTest::newRow("start refused") << true << 6 << QString()
                                       << "levelconf-cli: The firmware is written, but the loader "
                                          "refused the start command: switch the sensor off and "
                                          "on again.\n";
    }
    void flashWritesAFullImage()
    {
        QFETCH(bool, refuseStart);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, errEnd);
        Bench b;
        LoaderSettings loader = fastLoader();
        loader.refuseStart = refuseStart;
        b.sim.setLoader(loader);
        QVERIFY(b.start());
        const QByteArray image = firmwareImage(pl540Type(), 224);
        QVERIFY(writeFile(b.path("PL-540.cri"), image));
        const Run r = b.run({"flash", b.path("PL-540.cri"), "--type", "PL540"});
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        // The prompt first, once: no progress where nobody watches a terminal.
        QVERIFY2(r.err.startsWith("levelconf-cli: Waiting for the loader: switch the sensor off "
                                  "and on\n") &&
                     r.err.endsWith(errEnd) && !r.err.contains("Start"),
                 qPrintable(r.err));
        QCOMPARE(b.sim.loader().memory().image().mid(128 * 160, 128 * 224),
                 image.mid(64 + 128 * 160));
    }

    // A file that cannot be sent, or written to, is refused before anything goes out, and
    // an input or an output that is no regular file is never waited on nor replaced.
    void filesRefusedBeforeSending_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {fifo}: a named pipe, {dir}: a folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged image") << QStringList{"flash", "{dir}/bad.cri", "--type", "PL540"}
                                       << "does not start with 0x23";
        QTest::newRow("image beyond the program memory")
            << QStringList{"flash", "{dir}/big.cri", "--type", "PL540"}
            << "program memory ends at 0x27FFF";
        QTest::newRow("image that is a named pipe")
            << QStringList{"flash", "{fifo}", "--type", "PL540"} << "it is a named pipe";
        QTest::newRow("table that is a named pipe")
            << QStringList{"table", "write", "5", "{fifo}"} << "it is a named pipe";
        QTest::newRow("table read into a named pipe")
            << QStringList{"table", "read", "5", "{fifo}"} << "it is a named pipe";
        QTest::newRow("table read into a folder")
            << QStringList{"table", "read", "5", "{dir}"} << "it is a folder";
    }
    void filesRefusedBeforeSending()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        Bench b;
        QVERIFY(b.start());
        QByteArray bad = firmwareImage(pl540Type(), 4);
        bad[64 + 128 * 160] = 'x';
        QVERIFY(writeFile(b.path("bad.cri"), bad));
        // More application blocks than the program memory holds: the loader would refuse the
        // first beyond it after the erase, leaving the sensor without firmware.
        QVERIFY(writeFile(b.path("big.cri"), firmwareImage(pl540Type(), 1000)));
        const QString fifo = b.path("fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        arguments.replaceInStrings("{fifo}", fifo).replaceInStrings("{dir}", b.dir.path());
        const Run r = b.run(arguments, 20000);
        QCOMPARE(r.status, 5);
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QCOMPARE(b.sim.bus().messagesHeard(), 0u);
        QCOMPARE(b.sim.loaderStats().syncsIgnored, 0u);
        QVERIFY(!QFileInfo(fifo).isFile());
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
        // A bad address is a bad value like any other, refused before the port is opened.
        QTest::newRow("bad address")
            << QStringList{"info", "300"} << none << 0 << 5
            << "levelconf-cli: ADDR \"300\" is not a sensor's network address, 0 to 254. "
               "Nothing was sent.\n";
        QTest::newRow("an option the command does not take")
            << QStringList{"info", "5", "--litres"} << none << 0 << 1
            << "levelconf-cli: info does not take --litres. Try levelconf-cli --help.\n";
        QTest::newRow("flash without type")
            << QStringList{"flash", "x.cri"} << none << 0 << 1 << QString();
        QTest::newRow("no such port")
            << QStringList{"--port", "/nonexistent/tty", "search"} << none << 0 << 2
            << "levelconf-cli: Com Port /nonexistent/tty unavailable. There is no such device.\n";
        // A name without a folder is a port as the window lists it, and is said to be one.
        QTest::newRow("a port name")
            << QStringList{"--port", "ttyLEVELCONF9", "search"} << none << 0 << 2
            << "levelconf-cli: Com Port ttyLEVELCONF9 is /dev/ttyLEVELCONF9.\n"
               "levelconf-cli: Com Port ttyLEVELCONF9 unavailable. There is no such device.\n";
        QTest::newRow("the search address")
            << QStringList{"watch", "255"} << none << 0 << 5 << QString();
        QTest::newRow("a device that is no port")
            << QStringList{"--port", "/dev/null", "search"} << none << 0 << 2
            << "levelconf-cli: Com Port /dev/null unavailable. It is not a serial port: it takes "
               "no line settings.\n";
        QTest::newRow("a folder for a port")
            << QStringList{"--port", "/", "search"} << none << 0 << 2
            << "levelconf-cli: Com Port / unavailable. It is a folder, not a serial port.\n";
        QTest::newRow("port lost") << QStringList{"set", "5", "mode=analog"} << none << 1 << 2
                                   << "levelconf-cli: Error! COM port unavailable\n";
        QTest::newRow("silent sensor")
            << QStringList{"set", "5", "address=6"} << int(Fault::Silent) << 0 << 3
            << "levelconf-cli: No data from the sensor at address 5\n"
               "levelconf-cli: The sensor is not connected!\n";
        QTest::newRow("frequency mode")
            << QStringList{"info", "5"} << int(Fault::FrequencyMode) << 0 << 4
            << "levelconf-cli: Sensor set to Frequency mode.\n";
        QTest::newRow("unknown answer") << QStringList{"set", "5", "air=20,1000,35"}
                                        << int(Fault::WrongCode) << 0 << 4 << QString();
        // Damaged answers are no answers: what they carry is not taken.
        QTest::newRow("damaged confirmation")
            << QStringList{"set", "5", "air=20,1013,50"} << int(Fault::BadCrc) << 0 << 3
            << "levelconf-cli: air: not confirmed: sensor 5 may have taken it, but its answer "
               "was damaged; read it back (info) before sending it again\n";
        QTest::newRow("damaged identity")
            << QStringList{"set", "5", "mode=analog"} << int(Fault::BadCrc) << 0 << 3
            << "levelconf-cli: No intact answer from sensor with address 5\n"
               "levelconf-cli: The sensor is not connected!\n";
        QTest::newRow("data answer cut short")
            << QStringList{"info", "5"} << int(Fault::ShortData) << 0 << 3
            << "levelconf-cli: No intact answer from sensor with address 5\n";
        QTest::newRow("data answers cut short are gaps")
            << QStringList{"watch", "5", "--count", "2"} << int(Fault::ShortData) << 0 << 3
            << "levelconf-cli: No intact answer from sensor with address 5\n";
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

    // One device, one program: a second run is refused by whatever name it gives the port,
    // and a run killed while holding it leaves nothing behind that keeps the next one out.
    void aPortInUseIsRefusedByAnyName()
    {
        Bench b;
        QVERIFY(b.start());
        QProcess holder;
        holder.start(LEVELCONF_CLI_PROGRAM,
                     {"--port", b.sim.slavePath(), "--log-folder", b.path("log"), "watch", "5"});
        QVERIFY(holder.waitForReadyRead(30000));

        const QString plain = b.sim.slavePath();
        const QString doubled = QString(plain).insert(plain.indexOf('/', 1), '/');
        QVERIFY(QFile::link(b.sim.slavePath(), b.path("bus")));
        for (const QString &name : {b.sim.slavePath(), doubled, b.path("bus")}) {
            const Run r = b.run({"--port", name, "info", "5"});
            QCOMPARE(r.status, 2);
            QCOMPARE(r.err, "levelconf-cli: Com Port " + name +
                                " unavailable. It is in use by another program.\n");
        }

        ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(30000));
        const Run after = b.run({"--port", doubled, "info", "5"});
        QCOMPARE(after.status, 0);
        QVERIFY2(after.err.isEmpty(), qPrintable(after.err));
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

    // A watch without a count is stopped this way; one with a count was cut short.
    void stoppedWatch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::newRow("no count, SIGINT") << QStringList{"watch", "5"} << SIGINT << 0;
        QTest::newRow("count, SIGINT")
            << QStringList{"watch", "5", "--count", "10"} << SIGINT << 130;
        QTest::newRow("count, SIGTERM")
            << QStringList{"watch", "5", "--count", "10"} << SIGTERM << 130;
    }
    void stoppedWatch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, signal);
        QFETCH(int, status);
        Bench b;
        QVERIFY(b.start());
        QProcess p;
        p.start(LEVELCONF_CLI_PROGRAM,
                QStringList{"--port", b.sim.slavePath(), "--log-folder", b.path("log")} +
                    arguments);
        QVERIFY(p.waitForReadyRead(30000));
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), status);
        QCOMPARE(b.logEvents().filter("Com Port " + b.sim.slavePath() + " Closed").size(), 1);
    }

    // Results standard output did not take end the run: with a status when they are lost,
    // quietly when their reader has had enough.
    void standardOutputThatFails_data()
    {
        QTest::addColumn<QString>("shell");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("full disk") << "{cli} >/dev/full" << QStringList{"--json", "info", "5"} << 7;
        QTest::newRow("closed output")
            << "{cli} >&-" << QStringList{"watch", "5", "--count", "3"} << 7;
        QTest::newRow("reader gone")
            << "{cli} | head -n 2 >/dev/null" << QStringList{"watch", "5"} << 141;
    }
    void standardOutputThatFails()
    {
        QFETCH(QString, shell);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        Bench b;
        QVERIFY(b.start());
        QCOMPARE(b.shell(shell, arguments), status);
        const QStringList log = b.logEvents();
        QCOMPARE(log.filter("Standard output cannot be written: ").size(), 1);
        // The run ended in order, its port closed.
        QCOMPARE(log.filter("Com Port " + b.sim.slavePath() + " Closed").size(), 1);
    }

    // Two sensors at one address answer together: a new address is refused where a sensor
    // answers, and an answer of two run together is never taken for one.
    void twoSensorsAtOneAddress()
    {
        Bench b;
        QVERIFY(b.start());
        const Run clash = b.run({"set", "1", "address=5"});
        QCOMPARE(clash.status, 4);
        QCOMPARE(clash.err, QString("levelconf-cli: address: a sensor answers at address 5 "
                                    "already; nothing was changed\n"));
        QVERIFY(b.sim.bus().sensor(1));

        QVERIFY(b.sim.bus().updateSensor(1, [](SensorConfig &c) { c.address = 5; }));
        const Run info = b.run({"info", "5"});
        QCOMPARE(info.status, 3);
        QCOMPARE(info.out, QString());
    }

    // The search answer has no check byte: only an address that then answers for itself,
    // intact, is listed.
    void searchListsOnlySensorsThatAnswer_data()
    {
        QTest::addColumn<int>("fault"); // of sensor 5, or with nothing listed of every sensor
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        const int garbage = int(Fault::Garbage);
        QTest::newRow("noise") << garbage << QStringList{"search"} << "1 2\n";
        QTest::newRow("noise, raw")
            << garbage << QStringList{"search", "--raw"} << "1 2 0 165 90 255 19 195 126\n";
        QTest::newRow("nobody") << int(Fault::Silent) << QStringList{"search"} << QString();
    }
    void searchListsOnlySensorsThatAnswer()
    {
        QFETCH(int, fault);
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        Bench b;
        for (const quint8 a : {1, 2, 5})
            b.sim.bus().setFault(a, a == 5 || out.isEmpty() ? Fault(fault) : Fault::None);
        QVERIFY(b.start());
        const Run r = b.run(arguments);
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, out.isEmpty() ? 3 : 0);
        if (out.isEmpty())
            QCOMPARE(r.err, QString("levelconf-cli: No sensor answered the search.\n"));
    }

    // The last progress line counts the blocks written, and the result says it as well.
    void aCancelledFlashSaysWhatItWrote()
    {
        Bench b;
        LoaderSettings paced; // 19200 baud, 3 ms a block: a long update
        b.sim.setLoader(paced);
        QVERIFY(b.start());
        QVERIFY(writeFile(b.path("PL-540.cri"), firmwareImage(pl540Type(), 224)));
        PtyPair terminal;
        QVERIFY(terminal.isValid());
        QProcess p;
        p.setChildProcessModifier([fd = terminal.slaveFd()] { ::dup2(fd, STDERR_FILENO); });
        p.start(LEVELCONF_CLI_PROGRAM,
                {"--port", b.sim.slavePath(), "--log-folder", b.path("log"), "--json", "flash",
                 b.path("PL-540.cri"), "--type", "PL540"});
        QByteArray shown;
        QTRY_VERIFY_WITH_TIMEOUT(
            (shown += terminal.readAll(0), b.sim.loaderStats().acknowledged > 40), 30000);
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(30000));
        shown += terminal.readAll();
        QCOMPARE(p.exitCode(), 130);
        const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        QCOMPARE(o.value("outcome").toString(), QString("cancelled"));
        const int written = o.value("blocks_written").toInt();
        QVERIFY2(written > 0 && written < 224, qPrintable(QString::number(written)));
        QVERIFY2(shown.contains(QString("\r%1 of 224 blocks written").arg(written).toUtf8()),
                 shown.right(200).constData());
        // Said once: the terminal's progress line is the prompt.
        QCOMPARE(shown.count("Waiting for the loader"), 1);
    }
};

QTEST_GUILESS_MAIN(tst_E2ECli)
#include "tst_e2e_cli.moc"
