#pragma once

#include "PointFile.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace levelconf
{

// One tank calibration as its grid shows it: the points recorded, the pending point (its
// row and volume), the portion between two points and the file the points go to. A point
// enters the grid only once its line is in the file, so the grid never shows what the file
// does not hold.
class PointRecorder
{
public:
    // The grid's columns; row 0 is its empty header.
    enum Column { Number, Volume, Level, ColumnCount };

    PointRecorder() { reset(); }

    // An empty grid of 9 rows and point 1 pending at volume 0. The calibration in force,
    // if any, ends here: its file takes no more points, since they would no longer follow
    // the ones it holds.
    void reset();
    // A point read from a file, shown in the pending row; the next row becomes pending.
    void putLoaded(const CalibrationPoint &point);
    // From now on points go to `path`, which holds the series that ends at `end`, and each
    // follows the one before it by `portion`.
    void take(const QString &path, const SeriesEnd &end, qint16 portion);

    bool inForce() const { return !m_path.isEmpty(); }
    QString file() const { return m_path; }
    qint16 portion() const { return m_portion; }
    int pendingPoint() const { return m_row; }
    // A new portion for the points to come. With a point recorded before it, the pending
    // point moves to follow that one by the new portion.
    void setPortion(qint16 portion);

    // Records `level` as the pending point: its line is appended to the file and, once it
    // is there, the grid shows it and the next point becomes pending. Returns an empty text,
    // or the reason the file did not take the line (then nothing has changed).
    QString record(const QString &level);

    // The grid: its rows, header included, and each cell's text; nothing for a cell never
    // written.
    int rowCount() const { return static_cast<int>(m_cells.size()); }
    std::optional<QString> cell(int row, int column) const;
    // From the eighth point on, the grid keeps the pending point at the top of its view.
    bool pendingAtTop() const { return m_row > 7; }

private:
    void preparePendingRow();
    void setCell(int row, int column, const QString &text);

    std::vector<std::array<std::optional<QString>, ColumnCount>> m_cells;
    QString m_path;
    qint16 m_portion = 0;
    qint64 m_volume = 0; // of the pending point
    int m_row = 1;       // grid row of the pending point, which is also its number
    std::optional<qint64> m_lastVolume;
};

} // namespace levelconf
