#include "ColumnReduction.h"

#include <algorithm>

namespace levelconf
{

int columnOf(qint64 msecs, qint64 from, qint64 to, int columns)
{
    if (columns <= 0)
        return 0;
    if (to <= from)
        return columns - 1;
    // Worked out in floating point: a day in milliseconds times a wide chart would not
    // overflow, but a clock gone far astray might.
    const double c = double(msecs - from) * columns / double(to - from);
    return int(std::clamp(c, 0.0, double(columns - 1)));
}

namespace
{
void take(PixelColumn &column, double v, bool joined)
{
    if (!column.filled) {
        column = {true, v, v, v, v, joined};
        return;
    }
    column.min = std::min(column.min, v);
    column.max = std::max(column.max, v);
    column.last = v;
}
} // namespace

QVector<PixelColumn> reduceColumns(const QVector<TimedValue> &samples, qint64 from, qint64 to,
                                   int columns, qint64 joinLimitMs)
{
    QVector<PixelColumn> out(qMax(0, columns));
    if (columns <= 0)
        return out;
    bool broken = true; // nothing before the first value to join it to
    qint64 previous = 0;
    for (const TimedValue &s : samples) {
        if (s.gap || s.msecs < from || s.msecs > to) {
            broken = true;
            continue;
        }
        const bool joined = !broken && s.msecs - previous <= joinLimitMs;
        take(out[columnOf(s.msecs, from, to, columns)], s.value, joined);
        broken = false;
        previous = s.msecs;
    }
    return out;
}

} // namespace levelconf
