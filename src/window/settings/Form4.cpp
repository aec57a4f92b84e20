#include "Form4.h"

#include "ui_Form4.h"
#include "window/widgets/LabelClicks.h"

Form4::Form4(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form4>())
{
    ui->setupUi(this);
    new LabelClicks(this);
    // The command runs first, then the window hides, whatever the command's outcome.
    connect(ui->Command1, &QPushButton::clicked, this, [this] {
        emit shiftFullRequested();
        hide();
    });
    connect(ui->Command3, &QPushButton::clicked, this, [this] {
        emit shiftEmptyRequested();
        hide();
    });
    connect(ui->Command2, &QPushButton::clicked, this, &QWidget::hide);
}

Form4::~Form4() = default;

QString Form4::shiftText() const
{
    return ui->data->text();
}
