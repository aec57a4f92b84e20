#pragma once

#include <QVector>
#include <QtGlobal>

namespace levelconf
{

// A series of any length drawn into a fixed number of pixel columns: each column keeps
// only the extremes of the values that fall into it and the values it starts and ends
// with, so that drawing costs the same for an hour of readings as for a minute.

struct TimedValue {
    qint64 msecs = 0;
    double value = 0;
    bool gap = false; // no value here: the line must not be drawn across it
};

struct PixelColumn {
    bool filled = false; // at least one value falls into the column
    double min = 0;
    double max = 0;
    double first = 0; // the column's earliest value
    double last = 0;  // and its latest
    // A line comes into `first` from the last value of an earlier column: there is no gap
    // between them and they are at most the join limit apart.
    bool joined = false;
};

// Reduces `samples` (in time order) to `columns` columns covering [from, to]; the value at
// `to` falls into the last column. Samples outside the range are left out, and the first
// value inside it is not joined to anything before it. Values further apart than
// `joinLimitMs` are not joined either: nothing was recorded between them.
QVector<PixelColumn> reduceColumns(const QVector<TimedValue> &samples, qint64 from, qint64 to,
                                   int columns, qint64 joinLimitMs);

// The column that `msecs` falls into, clamped to [0, columns - 1].
int columnOf(qint64 msecs, qint64 from, qint64 to, int columns);

} // namespace levelconf
