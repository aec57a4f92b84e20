#pragma once

#include "core/calibration/CalibrationTable.h"

#include <QWidget>
#include <memory>

namespace Ui
{
class Form3;
}
class QLineEdit;

// The calibration table editor: 20 points of a sensor reading and a volume, and the
// two flags that make the sensor use the table. Its cells are the table; they keep
// their text while the window is hidden.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);
    ~Form3() override;

    // All 40 cells at once, as typed.
    levelconf::CalibrationCells table() const;
    void setTable(const levelconf::CalibrationCells &cells);

    Qt::CheckState perSentsState() const;
    void setPerSentsState(Qt::CheckState state);
    Qt::CheckState tartabState() const;
    void setTartabState(Qt::CheckState state);

    Ui::Form3 *form() const { return ui.get(); }

signals:
    void readRequested();  // rdTable
    void writeRequested(); // wrmyTable
    void openRequested();  // fTablOpen
    void saveRequested();  // fTablSave
    void perSentsClicked();
    void tartabClicked();

private:
    QLineEdit *cell(levelconf::TableColumn column, int index) const;
    void nameCells();

    std::unique_ptr<Ui::Form3> ui;
};
