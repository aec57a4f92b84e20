#pragma once

#include "BootLoader.h"
#include "WireClock.h"

#include <QByteArray>

#include <mutex>
#include <optional>

// The boot loader on the simulator's line. The simulator's thread hands it what comes off
// the line, at the pace the line would have carried it, and sends what it answers; tests
// and the program look at it from their own threads.
class LoaderLine
{
public:
    // A fresh loader, as from the factory.
    void configure(const LoaderSettings &settings);

    // Feeds the loader the leading bytes of `bytes` that are its own: all of them while it
    // holds the line, otherwise the syncs that start a message (a sensor request starts
    // with 0x31). Returns the rest, for the sensors. `midRequest`: the sensors are in the
    // middle of a request, so that a 0x7F is one of its bytes.
    QByteArray feed(const QByteArray &bytes, LineTime now, bool midRequest);
    // The replies whose moment has come by `now`, as long as fewer than `maxFrames` frames
    // have been answered; `limitReached` is set when a reply is held back by it.
    QByteArray takeReplies(LineTime now, quint64 maxFrames, bool *limitReached);
    std::optional<LineTime> nextEvent() const;

    // The sensors answered a request: a power cycle starts over.
    void sensorsHeard();
    void lineClosed();

    BootLoader snapshot() const;
    LoaderStats stats() const;

private:
    mutable std::mutex m_mutex;
    BootLoader m_loader;
    WireClock m_in{m_loader.settings().baud};
};
