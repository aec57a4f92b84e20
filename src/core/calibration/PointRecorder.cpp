#include "PointRecorder.h"

#include <QtGlobal>

namespace levelconf
{

namespace
{
constexpr int kInitialRows = 9; // the header and eight points
} // namespace

void PointRecorder::reset()
{
    m_cells.assign(kInitialRows, {});
    m_row = 1;
    m_volume = 0;
    m_lastVolume.reset();
    m_path.clear();
    preparePendingRow();
}

void PointRecorder::putLoaded(const CalibrationPoint &point)
{
    setCell(m_row, Number, point.number);
    setCell(m_row, Volume, point.volume);
    setCell(m_row, Level, point.level);
    ++m_row;
    preparePendingRow();
}

void PointRecorder::take(const QString &path, const SeriesEnd &end, qint16 portion)
{
    m_path = path;
    m_portion = portion;
    m_lastVolume = end.lastVolume;
    m_volume = pendingVolume(end, portion);
    setCell(m_row, Volume, QString::number(m_volume));
}

void PointRecorder::setPortion(qint16 portion)
{
    m_portion = portion;
    if (m_row > 1 && m_lastVolume) {
        m_volume = *m_lastVolume + portion;
        setCell(m_row, Volume, QString::number(m_volume));
    }
}

QString PointRecorder::record(const QString &level)
{
    const QString line = pointLine({QString::number(m_row), QString::number(m_volume), level});
    const QString failure = appendPointLine(m_path, line);
    if (!failure.isEmpty())
        return failure;
    setCell(m_row, Level, level);
    m_lastVolume = m_volume;
    ++m_row;
    m_volume += m_portion;
    preparePendingRow();
    return {};
}

std::optional<QString> PointRecorder::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return std::nullopt;
    return m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void PointRecorder::preparePendingRow()
{
    // From the eighth point on the grid grows a row at a time, keeping an empty row below
    // the pending one.
    if (pendingAtTop())
        m_cells.resize(static_cast<size_t>(qMax(rowCount(), m_row + 2)));
    setCell(m_row, Volume, QString::number(m_volume));
    setCell(m_row, Number, QString::number(m_row));
}

void PointRecorder::setCell(int row, int column, const QString &text)
{
    if (row >= rowCount())
        m_cells.resize(static_cast<size_t>(row) + 1);
    m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

} // namespace levelconf
