#pragma once

// The engine's ticks timed on the window's thread: how long each holds the thread, in wall
// and processor time, and how long until it has ended.
#include "BenchWindow.h"
#include "core/protocol/ExchangeEngine.h"
#include "window/shell/frmSerial.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

constexpr double kBlockedTargetMs = 2;
// Ticks this close after the one before come while the sensor's answer (5 to 30 ms after the
// request, then some 14 ms on the line) is often still arriving.
constexpr int kArrivingSpacingMs = 20;

struct Figures {
    double median = 0;
    double max = 0;
};

inline Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

inline double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// ---- ticks ----

struct TickRun {
    std::vector<double> wall;  // the longest stretch the tick held the thread
    std::vector<double> cpu;   // the same stretches in processor time
    std::vector<double> toEnd; // from the tick to its end, waiting included
    int deferred = 0;          // ticks whose answer was still coming in
    int answered = 0;
};

// One tick, and the event loop run until the tick has ended. The tick's own call is timed,
// and so is the pass of the event loop in which a tick that waited for its answer ends;
// the window's repaints in the passes between are the window's drawing, as after any tick.
inline void timeTick(frmSerial &w, TickRun &run)
{
    QElapsedTimer total;
    total.start();
    Stretch blocked = timed([&] { w.engine().tick(); });
    if (w.engine().busy())
        ++run.deferred;
    while (w.engine().busy()) {
        const Stretch pass = timed([] { QCoreApplication::processEvents(); });
        if (!w.engine().busy())
            blocked = {std::max(blocked.wall, pass.wall), std::max(blocked.cpu, pass.cpu)};
    }
    run.wall.push_back(blocked.wall);
    run.cpu.push_back(blocked.cpu);
    run.toEnd.push_back(msSince(total));
    if (!w.engine().noData())
        ++run.answered;
}

inline TickRun timeTicks(frmSerial &w, int count, int spacingMs)
{
    TickRun run;
    for (int i = 0; i < count; ++i) {
        runEvents(spacingMs);
        timeTick(w, run);
    }
    return run;
}

inline void printTicks(const char *what, const TickRun &run)
{
    const Figures wall = figuresOf(run.wall);
    const Figures cpu = figuresOf(run.cpu);
    const Figures toEnd = figuresOf(run.toEnd);
    std::printf("  %s: %zu ticks, %d found an answer, %d waited for one still arriving\n", what,
                run.wall.size(), run.answered, run.deferred);
    std::printf("    window blocked, wall    median %6.2f ms   max %6.2f ms   (target at most "
                "2 ms: %s)\n",
                wall.median, wall.max, wall.max <= kBlockedTargetMs ? "met" : "NOT MET");
    std::printf("    the same, processor     median %6.2f ms   max %6.2f ms\n", cpu.median,
                cpu.max);
    std::printf("    tick to its end         median %6.2f ms   max %6.2f ms   (the window free "
                "meanwhile)\n",
                toEnd.median, toEnd.max);
}

// Opens `device` in the window, hands its engine's ticks to the caller, searches the bus and
// lets the window ask the sensor who it is and show its first reading, as an operator
// would; true once firmware `version` shows a reading. That first reading also makes the
// hidden table editor, whose flags it sets: a one-off that the ticks measured after it do
// not repeat.
inline bool openAndFindSensor(frmSerial &w, const QString &device, const QString &version,
                              int spacingMs)
{
    // The start-up picture gives way to the window on the second tick of the port list.
    if (!runEventsUntil([&] { return w.isVisible(); }, 5000) || !openPort(w, device)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(device));
        return false;
    }
    // The ticks are driven from here, so that each one can be timed.
    w.engine().stop();
    w.engine().attach();
    w.form()->Opros->click();
    const auto shown = [&] {
        return w.form()->vv->text() == version && w.form()->tek->text() != "No data";
    };
    for (int i = 0; i < 10 && !shown(); ++i)
        timeTicks(w, 1, spacingMs);
    if (!shown())
        std::fprintf(stderr, "no sensor of firmware %s was found on %s\n", qPrintable(version),
                     qPrintable(device));
    return shown();
}
