#pragma once

#include "Measurements.h"
#include "core/sensor/DataAnswer.h"

#include <QString>
#include <QtGlobal>
#include <deque>
#include <utility>
#include <vector>

namespace levelconf
{

// The readings of the sensors polled in this run, kept for the trend and the readings file.
// Each engine tick that was meant to bring a data answer leaves one entry: the readings of
// the answer, or a gap when none came or it could not be decoded. Entries are grouped into
// series, one per stretch of polling the same sensor.

struct TrendEntry {
    qint64 msecs = 0;      // since the epoch, UTC
    qint32 utcOffset = 0;  // seconds ahead of UTC of the local time it was taken in
    quint32 series = 0;    // given by the store
    quint32 amplitude = 0; // the values are meaningless in a gap
    quint16 output = 0;    // the output code N, of the kind below
    OutputKind kind = OutputKind::Distance; // what N is, by the mode byte
    qint8 temperature = 0;                  // degrees Celsius
    quint8 address = 0;                     // of the sensor answering, or for a gap the one polled
    StabilityLamp lamp = StabilityLamp::Yellow;
    bool lampKnown = true;  // false while the lamp says nothing yet (kStabilityWarmUpAnswers)
    bool range4096 = false; // the analog output's 4096-code range was ticked
    bool gap = false;
};

// A setting written to a sensor, shown on the trend with the text it was logged with.
struct TrendMarker {
    qint64 msecs = 0;
    quint32 series = 0;
    QString text;
};

// A bounded ring of entries, oldest first. Once full, each new entry pushes out the
// oldest, so the memory taken stays the same however long the program runs.
class ReadingStore
{
public:
    // A day of polling once a second.
    static constexpr int kDayOfPolling = 86400;

    explicit ReadingStore(int capacity = kDayOfPolling);

    // Adds `entry` (its series is set here). A new series begins when the previous one
    // was ended, when the entry comes from another sensor, or when the clock has gone back,
    // so that time only ever runs forward within a series.
    void add(TrendEntry entry);
    // The series in progress is over: the next entry starts another, even from the same
    // sensor. Closing the port ends it.
    void endSeries() { m_open = false; }

    // Marks a setting written now; it belongs to the series in progress, or, with none, to
    // the one that starts next.
    void addMarker(qint64 msecs, const QString &text);

    int size() const { return int(m_count); }
    int capacity() const { return int(m_capacity); }
    bool isEmpty() const { return m_count == 0; }
    // Entry `i`, 0 being the oldest kept.
    const TrendEntry &at(int i) const { return m_ring[(m_head + size_t(i)) % m_capacity]; }

    // The entries [first, end) of the newest series; first == end when there is none.
    std::pair<int, int> newestSeries() const;
    // The first entry in [first, end) taken at `msecs` or later; end when there is none.
    int lowerBound(qint64 msecs, int first, int end) const;

    const std::deque<TrendMarker> &markers() const { return m_markers; }

private:
    bool startsSeries(const TrendEntry &entry) const;
    // The first entry in [first, end) for which `before` no longer holds; `before` holds for
    // a leading run of the entries and for none after it.
    template <typename Before> int firstNotBefore(int first, int end, Before before) const;
    void dropStaleMarkers();

    size_t m_capacity;
    std::vector<TrendEntry> m_ring; // grows to the capacity, then wraps round
    size_t m_head = 0;
    size_t m_count = 0;
    std::deque<TrendMarker> m_markers;
    quint32 m_series = 0;     // of the series in progress
    quint32 m_nextSeries = 0; // the number the next series gets
    bool m_open = false;
};

} // namespace levelconf
