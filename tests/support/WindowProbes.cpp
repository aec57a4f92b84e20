#include "WindowProbes.h"

#include "ui_frmSerial.h"

QStringList comboItems(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

QStringList readingTexts(const Ui::frmSerial *ui)
{
    return {ui->tek->text(),
            ui->temp->text(),
            ui->ne->text(),
            ui->Uroven->text(),
            ui->freq->text(),
            ui->anal->text(),
            ui->lo->text(),
            ui->hi->text(),
            ui->ko->text(),
            ui->kko->text(),
            ui->lamp_level->text(),
            ui->maxLong->text(),
            ui->sgla->text(),
            ui->Kalibr_warning->text(),
            QString::number(ui->ProgressBar1->value())};
}
