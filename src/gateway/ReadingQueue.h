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

    // Adds `message` at the back. True when the oldest had to go to make room.
    bool push(MqttMessage message);
    const MqttMessage &front() const { return m_messages.front(); }
    void pop() { m_messages.pop_front(); }

    bool isEmpty() const { return m_messages.empty(); }
    int size() const { return int(m_messages.size()); }
    int capacity() const { return m_capacity; }
    // Readings dropped since the start.
    quint64 dropped() const { return m_dropped; }

private:
    std::deque<MqttMessage> m_messages;
    int m_capacity;
    quint64 m_dropped = 0;
};
