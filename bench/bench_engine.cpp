// What the exchange engine costs the window.
//
//   bench_engine [--ticks N] [--silent-ticks N] [--spacing MS]
//       How long one engine tick (TMRComm_Timer) blocks the window's thread, with a sensor
//       whose answer is already waiting and with a silent one. Targets: at most 30 ms with
//       an answer, no more than the 256 ms read bound without one.
//   bench_engine --poll-cost [--seconds S] [--sim PROGRAM]
//       CPU time and memory of the window polling one sensor of a sensor-sim process with
//       its real engine timer. Targets: under 1% of a core and under 80 MB.
//
// The window is the real one on the real serial port; run it under xvfb-run (or with
// QT_QPA_PLATFORM=offscreen) on a machine without a display.
#include "BenchWindow.h"
#include "SensorSim.h"
#include "serial/QtSerialPort.h"
#include "shell/AlsaTone.h"
#include "shell/OperatorDialogs.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace
{
constexpr quint8 kAddress = 5;
constexpr double kAnsweredTargetMs = 30;
constexpr double kReadBoundMs = 256;
constexpr double kWriteBoundMs = 10 + 4;
constexpr double kCpuTargetPercent = 1;
constexpr double kMemoryTargetMb = 80;

// The real port, with the time of its last read kept, so that a tick can be split into the
// read it is bound by and everything else.
class TimedPort : public SerialPort
{
public:
    explicit TimedPort(OperatorDialogs *dialogs) : m_port(dialogs)
    {
        QObject::connect(&m_port.events(), &SerialPortEvents::bytesArrived, &events(),
                         &SerialPortEvents::bytesArrived);
        QObject::connect(&m_port.events(), &SerialPortEvents::deviceLost, &events(),
                         &SerialPortEvents::deviceLost);
    }
    double lastReadMs = 0;

    QStringList portNames() override { return m_port.portNames(); }
    bool ComPortExists(const QString &name) override { return m_port.ComPortExists(name); }
    QString deviceName(const QString &item) const override { return m_port.deviceName(item); }
    bool ComOpen(const QString &device, const QString &settings) override
    {
        return m_port.ComOpen(device, settings);
    }
    OpenFailure lastOpenFailure() const override { return m_port.lastOpenFailure(); }
    bool ComClose() override { return m_port.ComClose(); }
    void ComFlush() override { m_port.ComFlush(); }
    QByteArray ComRead() override
    {
        QElapsedTimer t;
        t.start();
        QByteArray got = m_port.ComRead();
        lastReadMs = t.nsecsElapsed() / 1e6;
        return got;
    }
    int ComWrite(const QByteArray &data) override { return m_port.ComWrite(data); }
    QByteArray ComTakeArrived() override { return m_port.ComTakeArrived(); }
    int ComSend(const QByteArray &data) override { return m_port.ComSend(data); }

private:
    QtSerialPort m_port;
};

struct Figures {
    double median = 0;
    double max = 0;
};

Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

SensorConfig benchSensor()
{
    SensorConfig c;
    c.address = kAddress;
    c.serial = 12345;
    c.firmware = 176;
    c.mode = 0x88;
    c.filtration = 0x13;
    return c;
}

// ---- ticks ----

struct TickRun {
    std::vector<double> tick;
    std::vector<double> read;
    int answered = 0;
};

TickRun timeTicks(frmSerial &w, TimedPort &port, int count, int spacingMs)
{
    TickRun run;
    for (int i = 0; i < count; ++i) {
        runEvents(spacingMs);
        QElapsedTimer t;
        t.start();
        w.TMRComm_Timer();
        run.tick.push_back(t.nsecsElapsed() / 1e6);
        run.read.push_back(port.lastReadMs);
        if (!w.no_data)
            ++run.answered;
    }
    return run;
}

void printTicks(const char *what, const TickRun &run, double targetMs, const char *target)
{
    const Figures tick = figuresOf(run.tick);
    const Figures read = figuresOf(run.read);
    std::printf("  %s: %zu ticks, %d found an answer\n", what, run.tick.size(), run.answered);
    std::printf("    tick blocks the window  median %7.1f ms   max %7.1f ms   (%s: %s)\n",
                tick.median, tick.max, target, tick.max <= targetMs ? "met" : "NOT MET");
    std::printf("    of which ComRead        median %7.1f ms   max %7.1f ms\n", read.median,
                read.max);
}

int benchTicks(int ticks, int silentTicks, int spacingMs)
{
    SensorSim sim({benchSensor()});
    if (!sim.start()) {
        std::fprintf(stderr, "sensor-sim: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTone tone;
    TimedPort port(&dialogs);
    frmSerial w(platformFor(&port, &dialogs, &tone, dir));
    // The start-up picture gives way to the window on the second tick of the port list.
    if (!runEventsUntil([&] { return w.isVisible(); }, 5000) || !openPort(w, sim.slavePath()))
        return 1;
    // The ticks are driven from here, so that each one can be timed.
    w.TMRComm.stop();

    // Search the bus and let the window ask the sensor who it is, as an operator would.
    w.form()->Opros->click();
    for (int i = 0; i < 10 && w.fw_version == 0; ++i) {
        runEvents(spacingMs);
        w.TMRComm_Timer();
    }
    if (w.fw_version == 0) {
        std::fprintf(stderr, "the sensor was not found\n");
        return 1;
    }

    std::printf("Engine tick (TMRComm_Timer) on the window's thread, Release build.\n"
                "Ticks are %d ms apart instead of the timer's 1000 ms, to keep the run short;\n"
                "the simulated sensor answers within 5 to 30 ms, so its answer is always "
                "waiting.\n",
                spacingMs);
    const TickRun answering = timeTicks(w, port, ticks, spacingMs);
    printTicks("answering sensor (firmware 1.7.6, 26-byte data answer)", answering,
               kAnsweredTargetMs, "target at most 30 ms");

    sim.bus().setFault(kAddress, Fault::Silent);
    runEvents(spacingMs);
    w.TMRComm_Timer(); // takes the last answer
    const TickRun silent = timeTicks(w, port, silentTicks, spacingMs);
    // The tick also writes the next frame, which the port bounds at 10 ms + 1 ms a byte.
    printTicks("silent sensor", silent, kReadBoundMs + kWriteBoundMs,
               "target: the 256 ms read bound and the 14 ms bound of the 4-byte write");
    if (dialogs.shown > 0)
        std::printf("  %d boxes were shown\n", dialogs.shown);
    return 0;
}

// ---- CPU and memory ----

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QString simProgram(const QString &given)
{
    if (!given.isEmpty())
        return given;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/sensor-sim");
}

int benchPollCost(int seconds, const QString &simPath)
{
    // The bus runs in a process of its own, so that only the window's costs are counted.
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(simPath, {QStringLiteral("--sensor"),
                        QStringLiteral("address=%1,serial=12345,firmware=176,mode=0x88,"
                                       "filtration=0x13")
                            .arg(kAddress)});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(simPath));
        return 1;
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const auto stopSim = qScopeGuard([&] {
        sim.terminate();
        sim.waitForFinished(5000);
    });

    QTemporaryDir dir;
    NoDialogs dialogs;
    AlsaTone tone;
    QtSerialPort port(&dialogs);
    frmSerial w(platformFor(&port, &dialogs, &tone, dir));
    // The start-up picture gives way to the window on the second tick of the port list.
    if (!runEventsUntil([&] { return w.isVisible(); }, 5000))
        return 1;
    if (!openPort(w, device))
        return 1;
    w.form()->Opros->click();
    if (!runEventsUntil([&] { return w.fw_version != 0; }, 10000)) {
        std::fprintf(stderr, "the sensor was not found\n");
        return 1;
    }

    int ticks = 0;
    int answered = 0;
    QObject::connect(&w.TMRComm, &QTimer::timeout, &w, [&] {
        ++ticks;
        answered += w.no_data ? 0 : 1;
    });
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEvents(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double percent = 100.0 * cpu / elapsed;
    const double rss = statusMb("VmRSS");
    const double peak = statusMb("VmHWM");

    std::printf("levelconf window polling one sensor (firmware 1.7.6) of a sensor-sim process\n"
                "with its own 1000 ms engine timer, Release build, platform %s.\n",
                qPrintable(QGuiApplication::platformName()));
    std::printf("  %.1f s: %d ticks, %d with a data answer\n", elapsed, ticks, answered);
    std::printf("  CPU time %.3f s = %.2f %% of one core   (target under 1 %%: %s)\n", cpu, percent,
                percent < kCpuTargetPercent ? "met" : "NOT MET");
    std::printf("  memory: resident now %.1f MB, peak %.1f MB   (target under 80 MB: %s)\n", rss,
                peak, peak < kMemoryTargetMb ? "met" : "NOT MET");
    if (dialogs.shown > 0)
        std::printf("  %d boxes were shown\n", dialogs.shown);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption ticks(QStringLiteral("ticks"),
                                   QStringLiteral("Ticks with an answering sensor."),
                                   QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption silentTicks(QStringLiteral("silent-ticks"),
                                         QStringLiteral("Ticks with a silent sensor."),
                                         QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption spacing(QStringLiteral("spacing"),
                                     QStringLiteral("Milliseconds between two ticks."),
                                     QStringLiteral("MS"), QStringLiteral("100"));
    const QCommandLineOption pollCost(QStringLiteral("poll-cost"),
                                      QStringLiteral("Measure CPU and memory while polling."));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("How long to poll for --poll-cost."),
                                     QStringLiteral("S"), QStringLiteral("60"));
    const QCommandLineOption sim(QStringLiteral("sim"),
                                 QStringLiteral("The sensor-sim program for --poll-cost."),
                                 QStringLiteral("PROGRAM"));
    parser.addOptions({ticks, silentTicks, spacing, pollCost, seconds, sim});
    parser.process(app);

    const auto number = [&](const QCommandLineOption &o) {
        return qMax(1, parser.value(o).toInt());
    };
    if (parser.isSet(pollCost))
        return benchPollCost(number(seconds), simProgram(parser.value(sim)));
    return benchTicks(number(ticks), number(silentTicks), number(spacing));
}
