// What the trend costs: drawing a long series, and the memory of a long run.
//
//   bench_trend [--repaints N]
//       Time of one repaint of the trend chart, its plot 800 pixels wide, holding a full
//       day of readings (86,400), for each span; and, for comparison, holding one hour.
//       Target: at most 5 ms a repaint.
//   bench_trend --day [--days D]
//       The real window polls a simulated sensor through its real engine for D days of
//       ticks (default 2) at full speed, its clock moving a second a tick, the Trend page in
//       view; resident memory is reported every six hours of polling. Target: under 80 MB.
//
// Run it under xvfb-run (or with QT_QPA_PLATFORM=offscreen) on a machine without a display.
#include "BenchWindow.h"
#include "SensorBus.h"
#include "core/protocol/ExchangeEngine.h"
#include "core/serial/SerialPort.h"
#include "core/trend/ReadingStore.h"
#include "core/trend/ReadingsCsv.h"
#include "window/trend/TrendPage.h"
#include "window/trend/TrendWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace levelconf;

namespace
{
constexpr double kRepaintTargetMs = 5;
constexpr double kMemoryTargetMb = 80;
constexpr int kPlotWidth = 800;
constexpr int kTicksPerDay = 86400;

// ---- drawing ----

// A tank filling over the day, an amplitude with some noise, a temperature following the
// sun, a missed answer now and then and a setting every hour.
void fillDay(ReadingStore &store, int seconds)
{
    const qint64 start = QDateTime(QDate(2026, 12, 7), QTime(0, 0)).toMSecsSinceEpoch();
    for (int s = 0; s < seconds; ++s) {
        TrendEntry e;
        e.msecs = start + qint64(s) * 1000;
        e.utcOffset = 3600;
        e.address = 5;
        e.output = quint16(30000 - s / 4 + int(20 * std::sin(s * 0.37)));
        e.amplitude = quint32(250000 + 400 * std::sin(s * 0.9) + (s * 7919) % 300);
        e.temperature = qint8(12 + 6 * std::sin(s * 2 * M_PI / kTicksPerDay));
        e.gap = s % 331 == 0;
        store.add(e);
        if (s % 3600 == 1800)
            store.addMarker(e.msecs, QStringLiteral("Cmd Shift Low: 20"));
    }
}

Stretch repaint(TrendWidget &chart, QImage &image)
{
    return timed([&] { chart.render(&image); });
}

void printRepaints(const char *span, std::vector<double> wall, std::vector<double> cpu)
{
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const double worst = cpu.back();
    std::printf("    span %-6s  wall median %5.2f ms, 99%% %5.2f ms, max %5.2f ms; processor "
                "median %5.2f ms, max %5.2f ms   (at most 5 ms: %s)\n",
                span, wall[wall.size() / 2], wall[wall.size() * 99 / 100], wall.back(),
                cpu[cpu.size() / 2], worst, worst <= kRepaintTargetMs ? "met" : "NOT MET");
}

void timeRepaints(const char *what, int seconds, int repaints)
{
    ReadingStore store;
    fillDay(store, seconds);
    TrendWidget chart(store);
    chart.resize(kPlotWidth + TrendWidget::kLeftMargin + TrendWidget::kRightMargin, 420);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    std::printf("  %s (%d entries, %zu markers):\n", what, store.size(), store.markers().size());
    for (const auto &[name, span] :
         {std::pair{"1 min", 60'000}, std::pair{"10 min", 600'000}, std::pair{"1 h", 3'600'000}}) {
        chart.setSpan(span);
        repaint(chart, image); // the first one sets up fonts and caches
        std::vector<double> wall;
        std::vector<double> cpu;
        for (int i = 0; i < repaints; ++i) {
            const Stretch r = repaint(chart, image);
            wall.push_back(r.wall);
            cpu.push_back(r.cpu);
        }
        printRepaints(name, wall, cpu);
    }
}

int benchDrawing(int repaints)
{
    std::printf("Repaint of the trend chart into an image, plot %d pixels wide, %d repaints "
                "a span, Release build, platform %s.\n",
                kPlotWidth, repaints, qPrintable(QGuiApplication::platformName()));
    timeRepaints("a day of readings", kTicksPerDay, repaints);
    timeRepaints("an hour of readings", 3600, repaints);

    // "Save readings…" holds the window while the file is made.
    ReadingStore day;
    fillDay(day, kTicksPerDay);
    QElapsedTimer t;
    t.start();
    const QByteArray csv = readingsCsv(day);
    std::printf("A day of readings as CSV: %.1f MB made in %.0f ms.\n", csv.size() / 1e6,
                t.nsecsElapsed() / 1e6);
    return 0;
}

// ---- a day of polling ----

// The port as the simulated bus answers it, at once: each frame's answer is what the next
// take finds.
class InstantBusPort : public SerialPort
{
public:
    explicit InstantBusPort(SensorBus &bus) : m_bus(bus) {}
    QStringList portNames() override { return {}; }
    bool portExists(const QString &) override { return false; }
    QString deviceName(const QString &item) const override { return item; }
    bool open(const QString &, const QString &) override { return true; }
    OpenFailure lastOpenFailure() const override { return OpenFailure::None; }
    bool close() override { return true; }
    void flush() override {}
    // The answer is there at once, found waiting by the next tick.
    QByteArray takeArrived() override { return std::exchange(m_answer, QByteArray()); }
    int send(const QByteArray &data) override
    {
        m_answer = data.isEmpty() ? QByteArray() : m_bus.respond(data);
        return int(data.size());
    }

private:
    SensorBus &m_bus;
    QByteArray m_answer;
};

void printMemory(int ticks, double seconds)
{
    std::printf("  %6d ticks (%5.1f h of polling, %6.1f s here): resident %6.1f MB, peak %6.1f "
                "MB\n",
                ticks, ticks / 3600.0, seconds, statusMb("VmRSS"), statusMb("VmHWM"));
    std::fflush(stdout);
}

int benchDay(int days)
{
    SensorConfig sensor;
    sensor.address = 0; // the address the window polls before any search
    sensor.outputCode = 30000;
    sensor.fillRate = -5;
    SensorBus bus({sensor});
    QTemporaryDir dir;
    NoDialogs dialogs;
    NoTone tone;
    InstantBusPort port(bus);
    QDateTime now(QDate(2026, 12, 7), QTime(8, 0));
    Platform platform = platformFor(&port, &dialogs, &tone, dir);
    platform.clock = [&now] { return now; };
    frmSerial w(platform);
    if (!runEventsUntil([&] { return w.isVisible(); }, 5000) ||
        !openPort(w, QStringLiteral("bench")))
        return 1;
    // The ticks are driven from here, as fast as they go.
    w.engine().stop();
    w.engine().attach();
    w.form()->SSTab1->setCurrentIndex(4);
    w.findChild<QComboBox *>(QStringLiteral("trendSpan"))->setCurrentIndex(2); // an hour

    std::printf("The window polling a simulated sensor at full speed, a second of its clock a "
                "tick, an air setting every hour, the Trend page in view; Release build, "
                "platform %s.\n",
                qPrintable(QGuiApplication::platformName()));
    QElapsedTimer wall;
    wall.start();
    printMemory(0, 0);
    for (int tick = 1; tick <= days * kTicksPerDay; ++tick) {
        if (tick % 3600 == 0)
            w.parts().settings->SetAir_Click();
        w.engine().tick();
        now = now.addSecs(1);
        if (tick % 500 == 0)
            runEvents(0); // the chart repaints, as it would between two ticks
        if (tick % (kTicksPerDay / 4) == 0)
            printMemory(tick, wall.nsecsElapsed() / 1e9);
    }
    const ReadingStore &kept = w.findChild<TrendPage *>()->store();
    int gaps = 0;
    for (int i = 0; i < kept.size(); ++i)
        gaps += kept.at(i).gap ? 1 : 0;
    std::printf("  the trend keeps %d entries (%d of them gaps) and %zu markers\n", kept.size(),
                gaps, kept.markers().size());
    const double peak = statusMb("VmHWM");
    std::printf("  peak %.1f MB   (target under %.0f MB: %s)\n", peak, kMemoryTargetMb,
                peak < kMemoryTargetMb ? "met" : "NOT MET");
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
    const QCommandLineOption repaints(QStringLiteral("repaints"),
                                      QStringLiteral("Repaints timed for each span."),
                                      QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption day(QStringLiteral("day"),
                                 QStringLiteral("Poll at full speed and report memory."));
    const QCommandLineOption days(QStringLiteral("days"),
                                  QStringLiteral("Days of polling for --day."), QStringLiteral("D"),
                                  QStringLiteral("2"));
    parser.addOptions({repaints, day, days});
    parser.process(app);
    const auto number = [&](const QCommandLineOption &o) {
        return qMax(1, parser.value(o).toInt());
    };
    if (parser.isSet(day))
        return benchDay(number(days));
    return benchDrawing(number(repaints));
}
