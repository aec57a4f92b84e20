#pragma once

// What the benchmarks need to run the real window unattended.
#include "ui_frmSerial.h"
#include "window/calibration/CalibrationPart.h"
#include "window/firmware/FirmwarePart.h"
#include "window/monitor/MonitorPart.h"
#include "window/platform/OperatorDialogs.h"
#include "window/platform/Platform.h"
#include "window/platform/Tone.h"
#include "window/portbar/PortBarPart.h"
#include "window/remote/RemotePart.h"
#include "window/settings/SettingsPart.h"
#include "window/shell/frmSerial.h"
#include "window/trend/TrendPart.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <time.h>

// A box would stop an unattended run; each text goes to the terminal instead.
class NoDialogs : public OperatorDialogs
{
public:
    int shown = 0;
    QString fileToOpen; // what the file box answers; empty: cancelled
    void MsgBox(const QString &text, Icon, const QString &) override { note(text); }
    bool YesNo(const QString &text, const QString &) override
    {
        note(text);
        return false;
    }
    std::optional<QString> InputBox(const QString &prompt, const QString &,
                                    const QString &) override
    {
        note(prompt);
        return std::nullopt;
    }
    QString OpenFile(const QString &title, const QString &, const QString &) override
    {
        if (fileToOpen.isEmpty())
            note(title);
        return fileToOpen;
    }
    QString SaveFile(const QString &title, const QString &, const QString &) override
    {
        note(title);
        return {};
    }

private:
    void note(const QString &text)
    {
        ++shown;
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
    }
};

class NoTone : public Tone
{
public:
    void Beep(int, int) override {}
};

// Processor time of this thread, in milliseconds.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall time, and the processor time a piece of work took: on a shared machine the wall time
// also holds the moments another process had the core.
struct Stretch {
    double wall = 0;
    double cpu = 0;
};

inline Stretch timed(const std::function<void()> &work)
{
    QElapsedTimer wall;
    const double cpu = threadCpuMs();
    wall.start();
    work();
    return {wall.nsecsElapsed() / 1e6, threadCpuMs() - cpu};
}

// Lets the window's event loop run for `ms`, as it does between two timer ticks.
inline void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds or `ms` have passed.
inline bool runEventsUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        runEvents(50);
    return done();
}

inline Platform platformFor(levelconf::SerialPort *port, OperatorDialogs *dialogs, Tone *tone,
                            const QTemporaryDir &dir)
{
    Platform p;
    p.port = port;
    p.dialogs = dialogs;
    p.tone = tone;
    p.logFolder = dir.filePath(QStringLiteral("log"));
    p.programFolder = dir.path();
    return p;
}

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM"); -1 where there is none.
inline double statusMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Opens `device` as the operator does: the device in the port list, the open button.
inline bool openPort(frmSerial &w, const QString &device)
{
    w.addPortDevice(device);
    w.parts().portBar->Timer1_Timer();
    w.form()->BTNOpenCom->click();
    return w.form()->BTNCloseCom->isEnabled();
}
