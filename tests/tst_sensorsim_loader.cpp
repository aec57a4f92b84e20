#include "BootLoader.h"
#include "FastLoader.h"
#include "LineClient.h"
#include "LoaderOptions.h"
#include "SensorSim.h"
#include "core/firmware/LoaderFrames.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"

#include <QtTest>

using namespace levelconf;

using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace
{
QByteArray hex(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1().replace(' ', ""));
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QByteArray withBadChecksum(QByteArray frame)
{
    frame.back() = char(quint8(frame.back()) ^ 0x55);
    return frame;
}

QByteArray patternBlock(int seed)
{
    QByteArray b(128, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char(quint8(seed * 31 + i * 7));
    return b;
}

// One exchange of a script: the bytes the host sends, '>', the reply it must get (nothing
// for none); or "wait MS".
QString step(const QByteArray &frame, const char *reply)
{
    return hexText(frame) + QStringLiteral(" > ") + QLatin1String(reply);
}

const QStringList kPowerCycle = {"7F >", "7F >", "7F >", "7F > 79"};

LoaderSettings unpaced()
{
    LoaderSettings s;
    s.baud = 0;
    s.blockProgramUs = 0;
    return s;
}

// Runs a script against a loader, a few milliseconds of line time per exchange; the
// replies of each exchange, as hex, or a description of the first step that differed.
QString runScript(BootLoader &loader, const QStringList &steps, LineTime &t)
{
    for (const QString &s : steps) {
        if (s.startsWith("wait ")) {
            t += milliseconds(s.mid(5).toInt());
            loader.passTime(t);
            continue;
        }
        const QStringList parts = s.split('>');
        for (char byte : hex(parts.at(0)))
            loader.receive(quint8(byte), t);
        t += milliseconds(5);
        loader.passTime(t);
        QByteArray replies;
        while (const auto r = loader.takeReply(t))
            replies.append(char(*r));
        if (replies != hex(parts.at(1)))
            return QStringLiteral("%1: got \"%2\"").arg(s.left(40), hexText(replies));
    }
    return QString();
}

// Sends a frame and returns the one reply that comes, empty when none does. A device
// that is gone refuses the write; the read then notes the hang-up.
QByteArray exchange(LineClient &client, const QByteArray &frame, int quietMs = 2000)
{
    client.send(frame);
    return client.receive(1, quietMs);
}

// Sends syncs until the loader answers; the number sent.
int synchronise(LineClient &client, int limit = 20)
{
    for (int sent = 1; sent <= limit; ++sent) {
        if (exchange(client, hex("7F"), 100) == hex("79"))
            return sent;
    }
    return 0;
}

SensorConfig sensor()
{
    SensorConfig c;
    c.address = 5;
    c.liveVariation = false;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(LoaderSettings)

class tst_SensorSimLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- the loader's frames ----

    void frames_data()
    {
        QTest::addColumn<QStringList>("steps");
        const QByteArray zeros(128, '\0');
        const QString address9000 = step(addressFrame(0x9000), "79");
        QTest::newRow("power cycle, then the loader stays answering")
            << kPowerCycle + QStringList{"7F > 79"};
        QTest::newRow("erase everything") << kPowerCycle + QStringList{"43 BC > 79", "FF 00 > 79"};
        QTest::newRow("erase the data EEPROM")
            << kPowerCycle + QStringList{"43 BC > 79", "EE 11 > 79"};
        QTest::newRow("erase with another argument")
            << kPowerCycle + QStringList{"43 BC > 79", "FF 01 > 1F", "43 BC > 79"};
        QTest::newRow("option byte")
            << kPowerCycle + QStringList{"31 CE > 79", "00 00 48 03 4B > 79", "00 AA AA > 79"};
        QTest::newRow("block at 0x9000")
            << kPowerCycle + QStringList{"31 CE > 79", "00 00 90 00 90 > 79",
                                         step(hex("7F") + zeros + hex("7F"), "79")};
        QTest::newRow("last block of the program flash")
            << kPowerCycle + QStringList{"31 CE > 79", step(addressFrame(0x27F80), "79"),
                                         step(dataFrame(zeros), "79")};
        QTest::newRow("bad complement") << kPowerCycle + QStringList{"31 CF > 1F", "43 BC > 79"};
        QTest::newRow("unknown command") << kPowerCycle + QStringList{"11 EE > 1F"};
        QTest::newRow("bad address checksum")
            << kPowerCycle + QStringList{"31 CE > 79", "00 00 90 00 91 > 1F"};
        QTest::newRow("address between the areas")
            << kPowerCycle + QStringList{"31 CE > 79", step(addressFrame(0x4400), "1F")};
        QTest::newRow("address past the program flash")
            << kPowerCycle + QStringList{"31 CE > 79", step(addressFrame(0x28000), "1F")};
        QTest::newRow("bad data checksum")
            << kPowerCycle + QStringList{"31 CE > 79", address9000,
                                         step(hex("7F") + zeros + hex("7E"), "1F")};
        QTest::newRow("last block of the data EEPROM, and one byte further")
            << kPowerCycle + QStringList{"31 CE > 79",
                                         step(addressFrame(0x4380), "79"),
                                         step(dataFrame(zeros), "79"),
                                         "31 CE > 79",
                                         step(addressFrame(0x4381), "79"),
                                         step(dataFrame(zeros), "1F")};
        QTest::newRow("more than 128 bytes")
            << kPowerCycle + QStringList{"31 CE > 79", address9000,
                                         step(dataFrame(QByteArray(129, '\0')), "1F")};
        QTest::newRow("go, then a new power cycle")
            << kPowerCycle + QStringList{"21 DE > 79"} + kPowerCycle;
        QTest::newRow("a loader that refuses the start keeps the line")
            << kPowerCycle + QStringList{"21 DE > 1F", "43 BC > 79", "21 DE > 1F"};
        QTest::newRow("a block sent after its refused address is one refusal")
            << kPowerCycle + QStringList{"31 CE > 79", "00 00 90 00 91 > 1F",
                                         step(dataFrame(zeros), "1F"), "31 CE > 79"};
        QTest::newRow("frames sent without waiting for the reply")
            << kPowerCycle + QStringList{"31 CE 00 00 90 00 90 > 1F", "43 BC > 79"};
        QTest::newRow("an unfinished frame is dropped after the time-out")
            << kPowerCycle + QStringList{"31 >", "wait 60", "43 BC > 79"};
        QTest::newRow("a frame in two pieces within the time-out")
            << kPowerCycle + QStringList{"31 >", "wait 20", "CE > 79"};
        QTest::newRow("a host starting over in the middle of a write")
            << kPowerCycle + QStringList{"31 CE > 79", "7F >", "wait 60", "7F > 79"};
    }
    void frames()
    {
        QFETCH(QStringList, steps);
        LoaderSettings settings = unpaced();
        settings.refuseStart = QString(QTest::currentDataTag()).contains("refuses the start");
        BootLoader loader(settings);
        LineTime t = milliseconds(1000);
        const QString failure = runScript(loader, steps, t);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void powerCycle_data()
    {
        QTest::addColumn<LoaderSettings>("settings");
        QTest::addColumn<QList<int>>("syncTimesMs");
        QTest::addColumn<int>("restartAfter"); // a sensor request after this sync (-1: none)
        QTest::addColumn<int>("answered");     // the sync answered (-1: none)
        LoaderSettings s = unpaced();
        const QList<int> everySecond = {0, 1000, 2000, 3000, 4000, 5000, 6000};
        QTest::newRow("three ignored syncs") << s << everySecond << -1 << 3;
        s.ignoredSyncs = 0;
        QTest::newRow("none ignored") << s << everySecond << -1 << 0;
        s.powerCycleMs = 1500;
        QTest::newRow("a delay from the first sync") << s << everySecond << -1 << 2;
        s.ignoredSyncs = 3;
        QTest::newRow("syncs and a delay")
            << s << QList<int>{0, 100, 200, 300, 1400, 1500} << -1 << 5;
        s = unpaced();
        QTest::newRow("a sensor answer in between starts over") << s << everySecond << 1 << 5;
        s.present = false;
        QTest::newRow("no loader") << s << everySecond << -1 << -1;
    }
    void powerCycle()
    {
        QFETCH(LoaderSettings, settings);
        QFETCH(QList<int>, syncTimesMs);
        QFETCH(int, restartAfter);
        QFETCH(int, answered);
        BootLoader loader(settings);
        int firstAnswered = -1;
        for (int i = 0; i < syncTimesMs.size() && firstAnswered < 0; ++i) {
            const LineTime t = milliseconds(syncTimesMs.at(i));
            loader.receive(Loader::kSync, t);
            if (loader.takeReply(t) == Loader::kAck)
                firstAnswered = i;
            if (i == restartAfter)
                loader.restartPowerCycle();
        }
        QCOMPARE(firstAnswered, answered);
        QCOMPARE(loader.isActive(), answered >= 0);
        QCOMPARE(loader.stats().syncsIgnored, quint64(answered >= 0 ? answered : 7));
    }

    void memoryAfterWritesAndErases()
    {
        BootLoader loader(unpaced());
        LineTime t = milliseconds(1000);
        const QByteArray eeprom = patternBlock(1), app = patternBlock(2), last = patternBlock(3);
        const QStringList writes = {"31 CE > 79",
                                    step(addressFrame(0x4080), "79"),
                                    step(dataFrame(eeprom), "79"),
                                    "31 CE > 79",
                                    "00 00 48 05 4D > 79",
                                    "00 5A 5A > 79",
                                    "31 CE > 79",
                                    step(addressFrame(0x9000), "79"),
                                    step(dataFrame(app), "79"),
                                    "31 CE > 79",
                                    step(addressFrame(0x27F80), "79"),
                                    step(dataFrame(last), "79"),
                                    "31 CE > 79",
                                    step(addressFrame(0x9080), "79"),
                                    step(withBadChecksum(dataFrame(app)), "1F")};
        QVERIFY(runScript(loader, kPowerCycle + writes, t).isEmpty());
        const LoaderMemory &m = loader.memory();
        QCOMPARE(m.bytes(0x4080, 128), eeprom);
        QCOMPARE(m.bytes(0x4805, 1), hex("5A"));
        QCOMPARE(m.bytes(0x9000, 128), app);
        QCOMPARE(m.bytes(0x27F80, 128), last);
        QCOMPARE(m.bytes(0x9080, 128), QByteArray(128, '\0')); // the refused block
        QCOMPARE(int(m.writes().size()), 4);
        // Laid out as a firmware file's blocks: block k at 128 * k.
        QCOMPARE(m.image().mid(128 * 160, 128), app);
        QCOMPARE(m.image().mid(128 * 1, 128), eeprom);

        QVERIFY(runScript(loader, {"43 BC > 79", "FF 00 > 79"}, t).isEmpty());
        QCOMPARE(m.bytes(0x9000, 128), QByteArray(128, '\0'));
        QCOMPARE(m.bytes(0x27F80, 128), QByteArray(128, '\0'));
        QCOMPARE(m.bytes(0x4080, 128), eeprom); // the calibration values stay
        QCOMPARE(m.bytes(0x4805, 1), hex("5A"));
        QCOMPARE(int(m.writes().size()), 2);

        QVERIFY(runScript(loader, {"43 BC > 79", "EE 11 > 79"}, t).isEmpty());
        QCOMPARE(m.bytes(0x4080, 128), QByteArray(128, '\0'));
        QCOMPARE(m.bytes(0x4805, 1), hex("5A"));
        QCOMPARE(loader.stats().refused, 1u);
    }

    // ---- pacing ----

    void pacing_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("programUs");
        QTest::newRow("19200 baud, 3 ms") << 19200 << 3000;
        QTest::newRow("115200 baud, no programming time") << 115200 << 0;
        QTest::newRow("unpaced") << 0 << 3000;
    }
    void pacing()
    {
        QFETCH(int, baud);
        QFETCH(int, programUs);
        LoaderSettings s;
        s.baud = baud;
        s.blockProgramUs = programUs;
        s.ignoredSyncs = 0;
        BootLoader loader(s);
        WireClock line(baud);
        const LineTime bt = line.byteTime();
        QCOMPARE(bt.count(), baud ? 10000000000LL / baud : 0);

        // Each frame is handed over at once, as a pseudo-terminal delivers it; the reply
        // comes when the line would have carried the frame and then the reply.
        const auto sendFrame = [&](const QByteArray &frame, LineTime handed) {
            for (char c : frame)
                loader.receive(quint8(c), line.carry(handed));
            const auto due = loader.nextEvent();
            loader.takeReply(due ? *due : handed);
            return due ? *due - handed : LineTime(-1);
        };
        LineTime t = milliseconds(1000);
        QCOMPARE(sendFrame(hex("7F"), t), 2 * bt);
        t += milliseconds(100);
        QCOMPARE(sendFrame(hex("31 CE"), t), 3 * bt);
        t += milliseconds(100);
        QCOMPARE(sendFrame(addressFrame(0x9000), t), 6 * bt);
        t += milliseconds(100);
        const LineTime programming = microseconds(programUs);
        QCOMPARE(sendFrame(dataFrame(patternBlock(4)), t), 130 * bt + programming + bt);
        QCOMPARE(loader.stats().acknowledged, 4u);
        QCOMPARE(loader.stats().programming, programming);

        // A frame handed over while the line still carries the previous one waits for it.
        WireClock busy(baud);
        QCOMPARE(busy.carry(t), t + bt);
        QCOMPARE(busy.carry(t), t + 2 * bt);
        QCOMPARE(busy.carry(t + milliseconds(50)), t + milliseconds(50) + bt);
    }

    // ---- the memory image file and the options ----

    void imageFileIsReplacedWhole()
    {
        QTemporaryDir dir;
        LoaderMemory memory;
        memory.write(0x9000, patternBlock(5));
        const QString path = dir.filePath("image.bin");
        QString error;
        QVERIFY2(saveMemoryImage(memory.image(), path, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QCOMPARE(saved.size(), 0x24000);
        QCOMPARE(saved.mid(0x9000 - 0x4000, 128), patternBlock(5));

        const QString nowhere = dir.filePath("missing/image.bin");
        QVERIFY(!saveMemoryImage(memory.image(), nowhere, &error));
        QVERIFY(error.startsWith(nowhere));
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // settings as text, or the error's start
        QTest::newRow("everything set")
            << QStringList{"--loader-syncs",        "0",
                           "--loader-delay",        "1500",
                           "--loader-baud",         "0",
                           "--loader-block-time",   "0x10",
                           "--loader-timeout",      "20",
                           "--loader-dump",         "out.bin",
                           "--loader-vanish-after", "7",
                           "--no-loader",           "--loader-refuse-start"}
            << "0 0 1500 0 16 20 out.bin 7 refuses";
        QTest::newRow("negative baud") << QStringList{"--loader-baud", "-1"} << "--loader-baud";
        QTest::newRow("not a number") << QStringList{"--loader-syncs", "x"} << "--loader-syncs";
        QTest::newRow("no time-out") << QStringList{"--loader-timeout", "0"} << "--loader-timeout";
        QTest::newRow("past an int")
            << QStringList{"--loader-block-time", "4294967296"} << "--loader-block-time";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCommandLineParser parser;
        addLoaderOptions(parser);
        QVERIFY(parser.parse(QStringList{"sensor-sim"} + arguments));
        LoaderOptions o;
        QString error;
        if (!readLoaderOptions(parser, &o, &error)) {
            QVERIFY2(error.startsWith(expected), qPrintable(error));
            return;
        }
        const LoaderSettings &s = o.settings;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8%9")
                     .arg(int(s.present))
                     .arg(s.ignoredSyncs)
                     .arg(s.powerCycleMs)
                     .arg(s.baud)
                     .arg(s.blockProgramUs)
                     .arg(s.frameTimeoutMs)
                     .arg(o.dumpPath)
                     .arg(o.vanishAfterFrames)
                     .arg(s.refuseStart ? QStringLiteral(" refuses") : QString()),
                 expected);
    }

    // ---- on the line ----

    void anUpdateOnThePseudoTerminal()
    {
        SensorSim sim({sensor()});
        sim.setLoader(fastLoader());
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        LineClient client(sim.slavePath());
        QVERIFY(client.isOpen());
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(26).size(), 26);

        QCOMPARE(synchronise(client), 4);
        QCOMPARE(exchange(client, hex("43 BC")), hex("79"));
        QCOMPARE(exchange(client, hex("FF 00")), hex("79"));
        QCOMPARE(exchange(client, hex("31 CE")), hex("79"));
        QCOMPARE(exchange(client, hex("00 00 48 03 4B")), hex("79"));
        QCOMPARE(exchange(client, hex("00 AA AA")), hex("79"));
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(exchange(client, hex("31 CE")), hex("79"));
            QCOMPARE(exchange(client, addressFrame(0x9000 + 128 * k)), hex("79"));
            QCOMPARE(exchange(client, dataFrame(patternBlock(k))), hex("79"));
        }
        QCOMPARE(exchange(client, hex("31 CE")), hex("79"));
        QCOMPARE(exchange(client, addressFrame(0x9180)), hex("79"));
        QCOMPARE(exchange(client, withBadChecksum(dataFrame(patternBlock(3)))), hex("1F"));
        QCOMPARE(exchange(client, hex("21 DE")), hex("79"));

        // The application answers again.
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(26).size(), 26);

        const BootLoader loader = sim.loader();
        for (int k = 0; k < 3; ++k)
            QCOMPARE(loader.memory().bytes(0x9000 + 128 * k, 128), patternBlock(k));
        QCOMPARE(loader.memory().bytes(0x9180, 128), QByteArray(128, '\0'));
        QCOMPARE(loader.memory().bytes(0x4803, 1), hex("AA"));
        QVERIFY(!loader.isActive());
        QCOMPARE(loader.stats().syncsIgnored, 3u);
        QCOMPARE(loader.stats().acknowledged, 1u + 2 + 3 + 9 + 2 + 1);
        QCOMPARE(loader.stats().refused, 1u);
        QCOMPARE(loader.stats().goCount, 1u);
    }

    void theDeviceVanishesWhileTheLoaderHoldsTheLine_data()
    {
        QTest::addColumn<int>("loaderFrames"); // setLoaderVanishAfter
        QTest::addColumn<int>("messages");     // setVanishAfter: requests and loader frames
        QTest::addColumn<int>("answered");     // loader frames answered before it vanishes
        QTest::newRow("after so many loader frames") << 4 << 0 << 4;
        QTest::newRow("after so many messages") << 0 << 4 << 3;
        QTest::newRow("pulled out") << 0 << 0 << 2;
    }
    void theDeviceVanishesWhileTheLoaderHoldsTheLine()
    {
        QFETCH(int, loaderFrames);
        QFETCH(int, messages);
        QFETCH(int, answered);
        SensorSim sim({sensor()});
        sim.setLoader(fastLoader());
        sim.setLoaderVanishAfter(quint64(loaderFrames));
        sim.setVanishAfter(quint64(messages));
        QVERIFY(sim.start());
        LineClient client(sim.slavePath());
        QVERIFY(client.send(dataRequest(5)));
        QCOMPARE(client.receive(26).size(), 26);
        QCOMPARE(synchronise(client), 4);

        const QList<QByteArray> frames = {hex("31 CE"), addressFrame(0x9000),
                                          dataFrame(patternBlock(0)), hex("31 CE")};
        for (int i = 1; i < answered; ++i)
            QCOMPARE(exchange(client, frames.at(i - 1)), hex("79"));
        if (!loaderFrames && !messages)
            sim.vanish();
        QCOMPARE(exchange(client, frames.at(answered - 1)), QByteArray());
        QVERIFY(client.hungUp);
        QTRY_VERIFY(sim.hasVanished());
        QCOMPARE(sim.loaderStats().framesAnswered(), quint64(answered));
    }

#ifdef SENSOR_SIM_PROGRAM
    void theProgramWritesTheMemoryImage()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("bus");
        const QString dump = dir.filePath("memory.bin");
        QProcess sim;
        sim.start(SENSOR_SIM_PROGRAM, {"--link", link, "--loader-syncs", "0", "--loader-baud", "0",
                                       "--loader-dump", dump});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);
        LineClient client(link);
        QCOMPARE(synchronise(client), 1);
        QCOMPARE(exchange(client, hex("31 CE")), hex("79"));
        QCOMPARE(exchange(client, addressFrame(0x9000)), hex("79"));
        QCOMPARE(exchange(client, dataFrame(patternBlock(7))), hex("79"));
        QVERIFY(!QFileInfo::exists(dump));
        QCOMPARE(exchange(client, hex("21 DE")), hex("79"));
        // Written before the go was acknowledged: whoever waited for that finds it there.
        QFile file(dump);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().mid(128 * 160, 128), patternBlock(7));
        file.close();

        // Written again at exit, with what came after go.
        QCOMPARE(synchronise(client), 1);
        QCOMPARE(exchange(client, hex("43 BC")), hex("79"));
        QCOMPARE(exchange(client, hex("FF 00")), hex("79"));
        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().mid(128 * 160, 128), QByteArray(128, '\0'));
    }
#endif
};

QTEST_GUILESS_MAIN(tst_SensorSimLoader)
#include "tst_sensorsim_loader.moc"
