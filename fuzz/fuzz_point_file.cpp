// A tank calibration's point file (.trr) as the technician picks it to go on with: its
// bytes decoded as a file is read, its points read up to the first line that is not one,
// and where the series ends. The points read save and read again unchanged.
#include "FuzzCheck.h"
#include "core/calibration/PointFile.h"
#include "core/files/TextFile.h"

using namespace levelconf;

namespace
{
QStringList fileLines(const QList<CalibrationPoint> &points)
{
    QStringList lines{pointFileHeader()};
    for (const CalibrationPoint &p : points)
        lines.append(pointLine(p));
    return lines;
}

void checkSeriesEnd(const QList<CalibrationPoint> &points)
{
    QString problem;
    const std::optional<SeriesEnd> end = seriesEnd(points, &problem);
    FUZZ_CHECK(end.has_value() == problem.isEmpty());
    if (!end)
        return;
    FUZZ_CHECK(end->lastVolume.has_value() == !points.isEmpty());
    FUZZ_CHECK(end->portion.has_value() == (points.size() >= 2));
    for (qint16 portion : {qint16(-32768), qint16(1), qint16(32767)}) {
        const qint64 pending = pendingVolume(*end, end->portion.value_or(portion));
        FUZZ_CHECK(end->lastVolume || pending == 0);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LoadedPoints loaded = parsePointFile(systemText(fuzzInput(data, size)));
    FUZZ_CHECK(loaded.complete() == (loaded.stopLine == 0));
    // It stops at the line after the last point read, or at the missing header.
    FUZZ_CHECK(loaded.complete() || loaded.stopLine == loaded.points.size() + 2 ||
               (loaded.stopLine == 1 && loaded.points.isEmpty()));
    for (const CalibrationPoint &p : loaded.points) {
        FUZZ_CHECK(!p.number.contains(QLatin1Char(';')) && !p.volume.contains(QLatin1Char(';')));
        FUZZ_CHECK(!pointLine(p).contains(QLatin1Char('\n')));
    }

    const QStringList lines = fileLines(loaded.points);
    const LoadedPoints again = parsePointFile(systemText(systemTextLines(lines)));
    FUZZ_CHECK(again.complete() && fileLines(again.points) == lines);

    checkSeriesEnd(loaded.points);
    return 0;
}
