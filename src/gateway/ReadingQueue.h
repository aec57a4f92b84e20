#pragma once

#include "MqttMessage.h"

#include <QtGlobal>
#include <deque>

// The state messages waiting for the broker, oldest first. It is bounded: the gateway goes
// on polling while the broker is away, and a long outage must not take the machine's
// memory. Past the bound the oldest reading goes, since the newest say most about the
// tanks now; every one that goes is counted.
class ReadingQueue
{
public:
    explicit ReadingQueue(int capacity) : m_capacity(qMax(1, capacity)) {}

    // Adds `message` at the back, with its number in the spool. True when the oldest had
    // to go to make room; its number is then in `droppedSeq`.
    bool push(MqttMessage message, quint64 seq = 0, quint64 *droppedSeq = nullptr);
    const MqttMessage &front() const { return m_messages.front().message; }
    quint64 frontSeq() const { return m_messages.front().seq; }
    void pop() { m_messages.pop_front(); }

    bool isEmpty() const { return m_messages.empty(); }
    int size() const { return int(m_messages.size()); }
    int capacity() const { return m_capacity; }
    // Readings dropped since the start.
    quint64 dropped() const { return m_dropped; }

private:
    struct Queued {
        MqttMessage message;
        quint64 seq;
    };
    std::deque<Queued> m_messages;
    int m_capacity;
    quint64 m_dropped = 0;
};
