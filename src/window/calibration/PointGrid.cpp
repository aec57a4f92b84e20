#include "PointGrid.h"

#include <QTableWidget>

using namespace levelconf;

PointGrid::PointGrid(QTableWidget *grid) : m_grid(grid)
{
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void PointGrid::reset()
{
    m_points.reset();
    m_grid->clearContents();
    show(true);
}

void PointGrid::resetToEmpty()
{
    reset();
    m_grid->clearContents();
}

void PointGrid::putLoaded(const CalibrationPoint &point)
{
    m_points.putLoaded(point);
    show(true);
}

void PointGrid::take(const QString &path, const SeriesEnd &end, qint16 portion)
{
    m_points.take(path, end, portion);
    show(false);
}

void PointGrid::setPortion(qint16 portion)
{
    m_points.setPortion(portion);
    show(false);
}

QString PointGrid::record(const QString &level)
{
    const QString failure = m_points.record(level);
    if (failure.isEmpty())
        show(true);
    return failure;
}

void PointGrid::show(bool newPending)
{
    m_grid->setRowCount(m_points.rowCount());
    for (int row = 0; row < m_points.rowCount(); ++row) {
        for (int column = 0; column < PointRecorder::ColumnCount; ++column) {
            const std::optional<QString> text = m_points.cell(row, column);
            QTableWidgetItem *item = m_grid->item(row, column);
            if (!text) {
                delete m_grid->takeItem(row, column);
                continue;
            }
            if (!item) {
                item = new QTableWidgetItem;
                m_grid->setItem(row, column, item);
            }
            if (item->text() != *text)
                item->setText(*text);
        }
    }
    if (newPending && m_points.pendingAtTop()) {
        m_grid->scrollToItem(m_grid->item(m_points.pendingPoint(), PointRecorder::Number),
                             QAbstractItemView::PositionAtTop);
    }
}
