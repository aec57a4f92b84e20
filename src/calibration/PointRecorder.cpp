#include "PointRecorder.h"

#include <QTableWidget>

namespace
{
constexpr int kInitialRows = 9; // the header and eight points
constexpr int kNumber = 0;
constexpr int kVolume = 1;
constexpr int kLevel = 2;
} // namespace

PointRecorder::PointRecorder(QTableWidget *grid) : m_grid(grid)
{
    // The grid shows what the file holds; a cell edited by hand would not be in the file.
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void PointRecorder::reset()
{
    m_grid->clearContents();
    m_grid->setRowCount(kInitialRows);
    m_row = 1;
    m_volume = 0;
    m_lastVolume.reset();
    m_path.clear();
    preparePendingRow();
}

void PointRecorder::putLoaded(const CalibrationPoint &point)
{
    setCell(m_row, kNumber, point.number);
    setCell(m_row, kVolume, point.volume);
    setCell(m_row, kLevel, point.level);
    ++m_row;
    preparePendingRow();
}

void PointRecorder::take(const QString &path, const SeriesEnd &end, qint16 portion)
{
    m_path = path;
    m_portion = portion;
    m_lastVolume = end.lastVolume;
    m_volume = pendingVolume(end, portion);
    setCell(m_row, kVolume, QString::number(m_volume));
}

void PointRecorder::setPortion(qint16 portion)
{
    m_portion = portion;
    if (m_row > 1 && m_lastVolume) {
        m_volume = *m_lastVolume + portion;
        setCell(m_row, kVolume, QString::number(m_volume));
    }
}

QString PointRecorder::record(const QString &level)
{
    const QString line = pointLine({QString::number(m_row), QString::number(m_volume), level});
    const QString failure = appendPointLine(m_path, line);
    if (!failure.isEmpty())
        return failure;
    setCell(m_row, kLevel, level);
    m_lastVolume = m_volume;
    ++m_row;
    m_volume += m_portion;
    preparePendingRow();
    return {};
}

void PointRecorder::preparePendingRow()
{
    // From the eighth point on the grid grows a row at a time, keeping an empty row below
    // the pending one, and scrolls to keep the pending point at the top of the view.
    const bool growing = m_row > 7;
    if (growing)
        m_grid->setRowCount(qMax(m_grid->rowCount(), m_row + 2));
    setCell(m_row, kVolume, QString::number(m_volume));
    setCell(m_row, kNumber, QString::number(m_row));
    if (growing)
        m_grid->scrollToItem(m_grid->item(m_row, kNumber), QAbstractItemView::PositionAtTop);
}

void PointRecorder::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        m_grid->setItem(row, column, item);
    }
    item->setText(text);
}
