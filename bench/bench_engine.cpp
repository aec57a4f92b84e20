// What the exchange engine costs the window.
//
//   bench_engine [--ticks N] [--arriving-ticks N] [--silent-ticks N] [--spacing MS]
//       How long one engine tick (TMRComm_Timer) blocks the window's thread: the call itself
//       and, when the answer is still coming in, the end of the tick that the event loop runs
//       once it is whole. With a sensor whose answer is already waiting, with one whose
//       answer is still arriving when the tick comes, and with a silent one. Target: at most
//       2 ms in every case.
//   bench_engine --poll-cost [--seconds S] [--sim PROGRAM]
//       CPU time and memory of the window polling one sensor of a sensor-sim process with
//       its real engine timer. Targets: under 1% of a core and under 80 MB.
//
// The window is the real one on the real serial port; run it under xvfb-run (or with
// QT_QPA_PLATFORM=offscreen) on a machine without a display.
#include "BenchWindow.h"
#include "SensorSim.h"
#include "TickTiming.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/QtSerialPort.h"
#include "ui_frmSerial.h"
#include "window/platform/AlsaTone.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"

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

using namespace levelconf;

namespace
{
constexpr quint8 kAddress = 5;
constexpr double kCpuTargetPercent = 1;
constexpr double kMemoryTargetMb = 80;
const QString kVersion = QStringLiteral("1.7.6.");

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

int benchTicks(int ticks, int arrivingTicks, int silentTicks, int spacingMs)
{
    SensorSim sim({benchSensor()});
    if (!sim.start()) {
        std::fprintf(stderr, "sensor-sim: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTone tone;
    QtSerialPort port;
    frmSerial w(platformFor(&port, &dialogs, &tone, dir));
    if (!openAndFindSensor(w, sim.slavePath(), kVersion, spacingMs))
        return 1;

    std::printf("Engine tick (TMRComm_Timer) on the window's thread, Release build.\n"
                "Ticks are %d ms apart instead of the timer's 1000 ms, to keep the run short;\n"
                "the simulated sensor answers within 5 to 30 ms, so its answer is waiting.\n",
                spacingMs);
    printTicks("answering sensor (firmware 1.7.6, 26-byte data answer)",
               timeTicks(w, ticks, spacingMs));
    printTicks("answer still arriving (ticks 20 ms apart)",
               timeTicks(w, arrivingTicks, kArrivingSpacingMs));

    sim.bus().setFault(kAddress, Fault::Silent);
    timeTicks(w, 1, spacingMs); // takes the last answer
    printTicks("silent sensor", timeTicks(w, silentTicks, spacingMs));
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
    QtSerialPort port;
    frmSerial w(platformFor(&port, &dialogs, &tone, dir));
    // The start-up picture gives way to the window on the second tick of the port list.
    if (!runEventsUntil([&] { return w.isVisible(); }, 5000))
        return 1;
    if (!openPort(w, device))
        return 1;
    w.form()->Opros->click();
    if (!runEventsUntil([&] { return w.form()->vv->text() == kVersion; }, 10000)) {
        std::fprintf(stderr, "the sensor was not found\n");
        return 1;
    }

    int ticks = 0;
    int answered = 0;
    QObject::connect(&w.engine(), &ExchangeEngine::frameChosen, &w, [&] { ++ticks; });
    QObject::connect(&w.engine(), &ExchangeEngine::answered, &w,
                     [&](quint8 code) { answered += code == Cmd::ReadData ? 1 : 0; });
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
    const QCommandLineOption arrivingTicks(QStringLiteral("arriving-ticks"),
                                           QStringLiteral("Ticks 20 ms apart, while the "
                                                          "answer is still coming in."),
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
    parser.addOptions({ticks, arrivingTicks, silentTicks, spacing, pollCost, seconds, sim});
    parser.process(app);

    const auto number = [&](const QCommandLineOption &o) {
        return qMax(1, parser.value(o).toInt());
    };
    if (parser.isSet(pollCost))
        return benchPollCost(number(seconds), simProgram(parser.value(sim)));
    return benchTicks(number(ticks), number(arrivingTicks), number(silentTicks), number(spacing));
}
