#include "ReadingStore.h"

#include <algorithm>

namespace levelconf
{

ReadingStore::ReadingStore(int capacity) : m_capacity(size_t(qMax(1, capacity)))
{
    // Grown as readings come, so that a short run does not hold a day's worth at once.
    m_ring.reserve(std::min<size_t>(m_capacity, 4096));
}

bool ReadingStore::startsSeries(const TrendEntry &entry) const
{
    if (!m_open || m_count == 0)
        return true;
    const TrendEntry &last = at(size() - 1);
    return entry.address != last.address || entry.msecs < last.msecs;
}

void ReadingStore::add(TrendEntry entry)
{
    if (startsSeries(entry)) {
        m_series = m_nextSeries++;
        m_open = true;
    }
    entry.series = m_series;
    if (m_ring.size() < m_capacity) {
        m_ring.push_back(entry);
        ++m_count;
        return;
    }
    // Full: the newest takes the place of the oldest.
    m_ring[m_head] = entry;
    m_head = (m_head + 1) % m_capacity;
    dropStaleMarkers();
}

void ReadingStore::dropStaleMarkers()
{
    // A marker goes with the readings around it: once they are gone it has nothing to
    // stand beside.
    const TrendEntry &oldest = at(0);
    while (!m_markers.empty()) {
        const TrendMarker &m = m_markers.front();
        if (m.series > oldest.series || (m.series == oldest.series && m.msecs >= oldest.msecs))
            break;
        m_markers.pop_front();
    }
}

void ReadingStore::addMarker(qint64 msecs, const QString &text)
{
    m_markers.push_back({msecs, m_open ? m_series : m_nextSeries, text});
    if (m_markers.size() > m_capacity)
        m_markers.pop_front();
}

template <typename Before> int ReadingStore::firstNotBefore(int first, int end, Before before) const
{
    while (first < end) {
        const int mid = first + (end - first) / 2;
        if (before(at(mid)))
            first = mid + 1;
        else
            end = mid;
    }
    return first;
}

std::pair<int, int> ReadingStore::newestSeries() const
{
    const int end = size();
    if (end == 0)
        return {0, 0};
    const quint32 series = at(end - 1).series;
    // Series are numbered in order, so the entries of the newest one are those above the
    // last entry of any other.
    return {firstNotBefore(0, end, [series](const TrendEntry &e) { return e.series < series; }),
            end};
}

int ReadingStore::lowerBound(qint64 msecs, int first, int end) const
{
    return firstNotBefore(first, end, [msecs](const TrendEntry &e) { return e.msecs < msecs; });
}

} // namespace levelconf
