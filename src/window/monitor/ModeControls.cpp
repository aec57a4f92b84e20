// The mode byte and the firmware ladder.
#include "core/sensor/ModeByte.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/OptionButtons.h"
#include "window/widgets/Tags.h"

namespace
{
Qt::CheckState checkState(bool on)
{
    return on ? Qt::Checked : Qt::Unchecked;
}
} // namespace

void frmSerial::Out_modes(quint8 nn)
{
    const ModeFlags f = decodeModeByte(nn);
    ui->iinv->setChecked(f.inverted);

    // The table window keeps these two flags with the table; the main window mirrors them.
    Form3 *table = form3();
    table->setTartabState(checkState(f.tartab));
    ui->tartab1->setCheckState(table->tartabState());
    table->setPerSentsState(checkState(f.perSents));
    ui->per_sents->setCheckState(table->perSentsState());

    ui->D_4096->setChecked(f.range4096);
    Ur_progressBar = progressRange(f.range4096, range_256 == 1);

    if (f.output) {
        QRadioButton *const buttons[] = {ui->R485, ui->R_a, ui->R_f, ui->R_p, ui->R_p485};
        selectOption(buttons[static_cast<int>(*f.output)],
                     {ui->R485, ui->R_a, ui->R_f, ui->R_p, ui->R_p485});
    }

    ui->usredn->setChecked(f.filtration);
    mode_yes = false;
    mode_text = QString::number(nn);
}

void frmSerial::showEchoSelection(quint8 m)
{
    const EchoSelection s = decodeEchoByte(m);
    QRadioButton *on = s.choice == EchoChoice::FirstLast ? ui->opFirstLast
                       : s.choice == EchoChoice::Last    ? ui->opLast
                                                         : ui->opFirst;
    selectOption(on, {ui->opFirstLast, ui->opFirst, ui->opLast});
    ui->sgla->setText(QString::number(s.level));
    ui->Slider1->setValue(s.level);
}

void frmSerial::swtag130()
{
    enableGroup(
        this, [](int tag) { return tag == 130; }, false);
    ui->Kalibr_warning->setVisible(false);
}

void frmSerial::swtag131()
{
    enableGroup(
        this, [](int tag) { return tag == 131; }, false);
    ui->Kalibr_warning->setVisible(false);
}

void frmSerial::swtag134()
{
    enableGroup(
        this, [](int tag) { return tag > 134 && tag < 163; }, false);
    ui->Kalibr_warning->setVisible(false);
}

void frmSerial::swtag163()
{
    enableGroup(
        this, [](int tag) { return tag == 163; }, false);
    ui->Kalibr_warning->setVisible(true);
}

void frmSerial::swtag170()
{
    enableGroup(
        this, [](int tag) { return tag == 170; }, true);
    ui->tartab1->setEnabled(false);
    ui->per_sents->setEnabled(false);
    ui->Kalibr_warning->setVisible(true);
}

void frmSerial::swtag171()
{
    enableGroup(
        this, [](int tag) { return tag == 171; }, true);
}

void frmSerial::swtag172()
{
    // Firmware 1.7.2 brings no control of its own; its range is set by the ladder.
}

void frmSerial::swtag176()
{
    enableGroup(
        this, [](int tag) { return tag == 176; }, true);
    for (QWidget *w : taggedControls(this)) {
        if (w->window() == this && tagOf(w) > 220)
            ui->Label6->setText(QStringLiteral("Range 256"));
    }
    // The filtration slider takes over from the on/off box.
    for (QWidget *w : {static_cast<QWidget *>(ui->usred), static_cast<QWidget *>(ui->usredn)}) {
        w->setEnabled(false);
        w->setVisible(false);
    }
}

void frmSerial::runFirmwareLadder()
{
    for (int step : firmwareLadder(fw_version)) {
        switch (step) {
        case 130:
            swtag130();
            break;
        case 131:
            swtag131();
            break;
        case 134:
            swtag134();
            break;
        case 163:
            swtag163();
            break;
        case 170:
            swtag170();
            break;
        case 171:
            swtag171();
            break;
        case 172:
            swtag172();
            range_256 = 1;
            break;
        case 176:
            swtag176();
            break;
        default:
            break;
        }
    }
}
