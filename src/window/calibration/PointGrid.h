#pragma once

#include "core/calibration/PointRecorder.h"

class QTableWidget;

// The tank calibration's grid: the recorder's points shown as they change. The grid shows
// what the file holds, so its cells are not edited by hand.
class PointGrid
{
public:
    // `grid` has three columns: number, volume, level.
    explicit PointGrid(QTableWidget *grid);

    const levelconf::PointRecorder &points() const { return m_points; }

    void reset();
    // As reset, but showing no pending point either: a calibration that was not started
    // leaves nothing behind on the grid.
    void resetToEmpty();
    void putLoaded(const levelconf::CalibrationPoint &point);
    void take(const QString &path, const levelconf::SeriesEnd &end, qint16 portion);
    void setPortion(qint16 portion);
    // As PointRecorder::record; the grid changes only when the file took the point.
    QString record(const QString &level);

private:
    // Shows the recorder's cells; `newPending` when another point became pending, which
    // from the eighth point on scrolls it to the top of the view.
    void show(bool newPending);

    QTableWidget *m_grid;
    levelconf::PointRecorder m_points;
};
