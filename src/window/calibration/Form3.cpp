#include "Form3.h"

#include "ui_Form3.h"

using namespace levelconf;

Form3::Form3(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    nameCells();
    connect(ui->rdTable, &QPushButton::clicked, this, &Form3::readRequested);
    connect(ui->wrmyTable, &QPushButton::clicked, this, &Form3::writeRequested);
    connect(ui->fTablOpen, &QPushButton::clicked, this, &Form3::openRequested);
    connect(ui->fTablSave, &QPushButton::clicked, this, &Form3::saveRequested);
    connect(ui->per_sents, &QCheckBox::clicked, this, &Form3::perSentsClicked);
    connect(ui->tartab, &QCheckBox::clicked, this, &Form3::tartabClicked);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::hide);
}

Form3::~Form3() = default;

QLineEdit *Form3::cell(TableColumn column, int index) const
{
    const char *prefix = column == TableColumn::Reading ? "Text4_" : "Text3_";
    return findChild<QLineEdit *>(QLatin1String(prefix) + QString::number(index));
}

// A screen reader names each cell by its point and column, as the refusal messages do.
void Form3::nameCells()
{
    for (TableColumn column : {TableColumn::Reading, TableColumn::Volume}) {
        for (int i = 0; i < CalibrationCells::kPoints; ++i) {
            cell(column, i)->setAccessibleName(tr("Point %1, %2").arg(i).arg(columnTitle(column)));
        }
    }
    ui->Text1->setAccessibleName(tr("Zero point, %1").arg(columnTitle(TableColumn::Reading)));
    ui->Text2->setAccessibleName(tr("Zero point, %1").arg(columnTitle(TableColumn::Volume)));
}

CalibrationCells Form3::table() const
{
    CalibrationCells cells;
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        cells.readings[i] = cell(TableColumn::Reading, i)->text();
        cells.volumes[i] = cell(TableColumn::Volume, i)->text();
    }
    return cells;
}

void Form3::setTable(const CalibrationCells &cells)
{
    for (int i = 0; i < CalibrationCells::kPoints; ++i) {
        cell(TableColumn::Reading, i)->setText(cells.readings[i]);
        cell(TableColumn::Volume, i)->setText(cells.volumes[i]);
    }
}

Qt::CheckState Form3::perSentsState() const
{
    return ui->per_sents->checkState();
}

void Form3::setPerSentsState(Qt::CheckState state)
{
    ui->per_sents->setCheckState(state);
}

Qt::CheckState Form3::tartabState() const
{
    return ui->tartab->checkState();
}

void Form3::setTartabState(Qt::CheckState state)
{
    ui->tartab->setCheckState(state);
}
