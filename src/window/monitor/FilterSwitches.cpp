// The filtration sliders and the remote page's firmware switch keep their companions in
// step.
#include "ui_frmSerial.h"
#include "window/shell/frmSerial.h"

void frmSerial::connectFilterSwitches()
{
    connect(ui->Slider1, &QSlider::valueChanged, this, &frmSerial::Slider1_Change);
    connect(ui->Slider1d, &QSlider::valueChanged, this, &frmSerial::Slider1d_Click);
    connect(ui->ch_ver, &QCheckBox::clicked, this, &frmSerial::ch_ver_Click);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &frmSerial::SSTab1_Click);
}

void frmSerial::Slider1_Change()
{
    ui->sgla->setText(QString::number(ui->Slider1->value()));
}

void frmSerial::Slider1d_Click()
{
    ui->sglad->setText(QString::number(ui->Slider1d->value()));
}

void frmSerial::ch_ver_Click()
{
    const bool on = ui->ch_ver->checkState() == Qt::Checked;
    for (QWidget *w :
         {static_cast<QWidget *>(ui->Slider1d), static_cast<QWidget *>(ui->Label25),
          static_cast<QWidget *>(ui->sglad), static_cast<QWidget *>(ui->Termokompensd),
          static_cast<QWidget *>(ui->tartab1d), static_cast<QWidget *>(ui->per_sentsd)})
        w->setVisible(on);
}

void frmSerial::SSTab1_Click()
{
    const bool on = ui->ch_ver->checkState() == Qt::Checked;
    for (QWidget *w : {static_cast<QWidget *>(ui->Slider1d), static_cast<QWidget *>(ui->Label25),
                       static_cast<QWidget *>(ui->sglad)})
        w->setVisible(on);
}
