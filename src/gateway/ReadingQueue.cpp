#include "ReadingQueue.h"

#include <utility>

bool ReadingQueue::push(MqttMessage message)
{
    const bool full = size() >= m_capacity;
    if (full) {
        m_messages.pop_front();
        ++m_dropped;
    }
    m_messages.push_back(std::move(message));
    return full;
}
