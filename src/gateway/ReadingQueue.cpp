#include "ReadingQueue.h"

#include <utility>

bool ReadingQueue::push(MqttMessage message, quint64 seq, quint64 *droppedSeq)
{
    const bool full = size() >= m_capacity;
    if (full) {
        if (droppedSeq)
            *droppedSeq = m_messages.front().seq;
        m_messages.pop_front();
        ++m_dropped;
    }
    m_messages.push_back({std::move(message), seq});
    return full;
}
