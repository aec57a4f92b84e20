#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace levelconf
{

// The point file of a tank calibration ("*.trr"): a header line ";;", then one line per
// point, number;volume;level, each ended by CR LF, in the system's own encoding. The
// level is kept exactly as the reading showed it, so the fields are texts.

struct CalibrationPoint {
    QString number;
    QString volume;
    QString level;
};

QString pointFileHeader();
QString pointLine(const CalibrationPoint &point);

// The points of a file's text, in order. Loading stops at the first line after the
// header that is not number;volume;level (a blank line, say); the points before it
// count, and `stopLine` (1-based, the header being line 1) says where it stopped.
struct LoadedPoints {
    QList<CalibrationPoint> points;
    int stopLine = 0; // 0 when every line was read
    QString problem;  // why the load stopped; empty when it did not
    bool complete() const { return problem.isEmpty(); }
};
LoadedPoints parsePointFile(const QString &text);

// Where a loaded series ends, and so how it goes on: the next point follows the last one
// by the difference of the last two volumes. With fewer than two points that difference
// is unknown and the operator has to give the portion.
struct SeriesEnd {
    std::optional<qint64> lastVolume; // none without points
    std::optional<qint16> portion;    // none with fewer than two points
};
// Nothing, with `problem` set, when a volume needed is not a whole 32-bit number or the
// last two differ by more than a portion can hold.
std::optional<SeriesEnd> seriesEnd(const QList<CalibrationPoint> &points, QString *problem);

// The volume of the point that follows the series' end by `portion`. A series without
// points starts at 0, whatever the portion.
qint64 pendingVolume(const SeriesEnd &end, qint16 portion);

// File work. Each returns an empty text on success, otherwise the reason, as the system
// gives it, for the operator.

// Creates the file with its header, or replaces it whole; never leaves half a file.
QString createPointFile(const QString &path);
// Appends one line to an existing file and makes sure it went out: a file that has been
// removed or cannot take the line is a failure, never silently made anew.
QString appendPointLine(const QString &path, const QString &line);

} // namespace levelconf
