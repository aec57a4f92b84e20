#include "Form3.h"

#include "ui_Form3.h"

Form3::Form3(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    connect(ui->rdTable, &QPushButton::clicked, this, &Form3::readRequested);
    connect(ui->wrmyTable, &QPushButton::clicked, this, &Form3::writeRequested);
    connect(ui->fTablOpen, &QPushButton::clicked, this, &Form3::openRequested);
    connect(ui->fTablSave, &QPushButton::clicked, this, &Form3::saveRequested);
    connect(ui->per_sents, &QCheckBox::clicked, this, &Form3::perSentsClicked);
    connect(ui->tartab, &QCheckBox::clicked, this, &Form3::tartabClicked);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::hide);
}

Form3::~Form3() = default;

QLineEdit *Form3::readingCell(int index) const
{
    if (index < 0 || index >= kPoints)
        return nullptr;
    return findChild<QLineEdit *>(QStringLiteral("Text4_%1").arg(index));
}

QLineEdit *Form3::volumeCell(int index) const
{
    if (index < 0 || index >= kPoints)
        return nullptr;
    return findChild<QLineEdit *>(QStringLiteral("Text3_%1").arg(index));
}

QString Form3::readingText(int index) const
{
    const QLineEdit *cell = readingCell(index);
    return cell ? cell->text() : QString();
}

void Form3::setReadingText(int index, const QString &text)
{
    if (QLineEdit *cell = readingCell(index))
        cell->setText(text);
}

QString Form3::volumeText(int index) const
{
    const QLineEdit *cell = volumeCell(index);
    return cell ? cell->text() : QString();
}

void Form3::setVolumeText(int index, const QString &text)
{
    if (QLineEdit *cell = volumeCell(index))
        cell->setText(text);
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
