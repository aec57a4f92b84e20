#pragma once

#include "LoaderLine.h"
#include "SensorBus.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class PtyTransport;

// How the simulated sensors keep time on the line.
struct SimTiming {
    int minDelayMs = 5;  // an answer starts this long after the request at the earliest
    int maxDelayMs = 30; // and at the latest
    int frameGapMs = 3;  // silence that ends a request
    quint32 seed = 0;    // of the answer delays; 0 picks one
    // A pseudo-terminal carries bytes at once. With a rate here, an answer comes as late as
    // a line at that rate would have carried the request and the answer's last byte (8N1:
    // ten bits a byte), so that a benchmark sees the real bus's time; 0 leaves it out.
    int lineBaud = 0;
};

// A bus of simulated sensors on a new pseudo-terminal, answering on a thread of its own,
// so that it can serve a program in the same process whose thread blocks while it reads
// the port. Tests start it, open slavePath() with the real port, change sensors or
// inject faults through bus(), and stop it.
class SensorSim
{
public:
    explicit SensorSim(const std::vector<SensorConfig> &sensors = {}, SimTiming timing = {});
    ~SensorSim();
    SensorSim(const SensorSim &) = delete;
    SensorSim &operator=(const SensorSim &) = delete;

    // Opens the pseudo-terminal (and the link to it, when a path is given) and starts
    // answering. False, with errorString(), when the line cannot be set up.
    bool start(const QString &linkPath = QString());
    // Stops answering, closes the line and removes the link.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

    QString slavePath() const;
    QString linkPath() const;
    QString errorString() const { return m_error; }

    SensorBus &bus() { return m_bus; }

    // Messages heard whose answer, if they get one, is out on the line. Once it equals
    // bus().messagesHeard(), everything asked so far has been answered, so a test can
    // wait for that instead of for a time that a busy machine may overrun.
    quint64 messagesSettled() const { return m_settled; }

    // The device disappears, as an adapter pulled out: the pseudo-terminal is closed under
    // whoever has it open. Returns once it is gone.
    void vanish();
    bool hasVanished() const { return m_vanished; }
    // Answers this many requests, then vanishes when the next one comes (0: never). The
    // boot loader's frames count as requests too.
    void setVanishAfter(quint64 requests) { m_vanishAfter = requests; }

    // Called on the simulator's thread with each request heard and answer sent, as hex.
    void setTrace(std::function<void(const QString &)> trace) { m_trace = std::move(trace); }

    // The boot loader of the sensor being updated. There is one for the whole bus: only
    // one sensor is power-cycled at a time, and while its loader holds the line the other
    // sensors keep quiet. Setting it starts a fresh loader (erased memory, application
    // running); by default it is present, paced at 19200 baud, 3 ms per block.
    void setLoader(const LoaderSettings &settings);
    // The loader as it is now: its memory, counts and state.
    BootLoader loader() const { return m_loader.snapshot(); }
    LoaderStats loaderStats() const { return m_loader.stats(); }
    // Answers this many loader frames, then vanishes when the next one is to be answered
    // (0: never).
    void setLoaderVanishAfter(quint64 frames) { m_loaderVanishAfter = frames; }
    // Called on the simulator's thread with the loader's memory image when a go command has
    // come, before it is acknowledged: whoever waits for the acknowledgement finds what
    // the listener did done. Set before start().
    void setGoListener(std::function<void(const QByteArray &image)> listener)
    {
        m_goListener = std::move(listener);
    }

private:
    using Clock = std::chrono::steady_clock;

    void run();
    void hearLine(QByteArray &heard, Clock::time_point &lastByte);
    quint64 loaderFramesAllowed() const;
    void sendLoaderReplies();
    void traceLoader(const char *direction, const QByteArray &bytes);
    void wake();
    void closeLine();

    SensorBus m_bus;
    SimTiming m_timing;
    LoaderLine m_loader;
    std::unique_ptr<PtyTransport> m_line;
    QString m_error;
    QString m_slavePath;
    QString m_linkPath;
    std::thread m_thread;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_vanishWanted{false};
    std::atomic<bool> m_vanished{false};
    std::atomic<quint64> m_vanishAfter{0};
    std::atomic<quint64> m_loaderVanishAfter{0};
    std::atomic<quint64> m_settled{0};
    std::mutex m_vanishMutex;
    std::condition_variable m_vanishDone;
    std::function<void(const QString &)> m_trace;
    std::function<void(const QByteArray &)> m_goListener;
};
