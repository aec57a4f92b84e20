// Decoding of the data answer into the readings.
#include "core/sensor/DataAnswer.h"
#include "ui_frmSerial.h"
#include "window/platform/OperatorDialogs.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/Colours.h"
#include "window/widgets/Tags.h"

namespace
{
QColor lampColour(StabilityLamp lamp)
{
    switch (lamp) {
    case StabilityLamp::Green:
        return Colours::StabGreen;
    case StabilityLamp::Red:
        return Colours::Red;
    case StabilityLamp::Yellow:
        break;
    }
    return Colours::StabYellow;
}
} // namespace

void frmSerial::all_data_to_form(const QByteArray &aans)
{
    const QLocale locale;
    const DataReadings r = decodeDataAnswer(aans, mode_yes);

    StabilityLamp lamp = StabilityLamp::Yellow;
    if (r.amplitude) {
        ui->tek->setText(QString::number(*r.amplitude));
        const StabilityStep s = nextStability({stab_avg, stab_cnt, stab_hold}, *r.amplitude);
        stab_avg = s.state.avg;
        stab_cnt = s.state.cnt;
        stab_hold = s.state.hold;
        lamp = s.lamp;
        setFill(ui->ind_stab, lampColour(s.lamp));
    }
    if (r.temperature)
        ui->temp->setText(temperatureText(*r.temperature));
    if (r.address)
        ui->ne->setText(QString::number(*r.address));
    if (r.output) {
        ui->ProgressBar1->setMaximum(Ur_progressBar);
        if (int(*r.output) < Ur_progressBar)
            ui->ProgressBar1->setValue(*r.output);
        ui->Uroven->setText(distanceText(*r.output, locale));
        ui->freq->setText(frequencyText(*r.output));
        ui->anal->setText(analogText(*r.output, ui->D_4096->isChecked(), locale));
    }
    if (r.emptyValue)
        ui->lo->setText(QString::number(*r.emptyValue));
    if (r.fullValue)
        ui->hi->setText(QString::number(*r.fullValue));
    if (r.k)
        ui->ko->setText(QString::number(*r.k));
    if (r.balance)
        ui->kko->setText(shortestDecimal(*r.balance, locale));
    if (r.minDistance)
        ui->lamp_level->setText(QString::number(*r.minDistance));
    if (r.maxDistance)
        ui->maxLong->setText(QString::number(*r.maxDistance));
    if (r.echoByte)
        showEchoSelection(*r.echoByte);
    if (r.modeByte)
        Out_modes(*r.modeByte);
    trendReading(r, lamp);

    if (r.failedStep != 0) {
        // An answer without the calibration values usually means an uncalibrated sensor;
        // say so once, not every second, until the operator sends a command.
        const bool warn = calib_warned == 0;
        calib_warned = 1;
        if (warn && r.progress == 0)
            dialogs().MsgBox(QStringLiteral("Change empty value"));
        else if (warn && r.progress == 1)
            dialogs().MsgBox(QStringLiteral("Change full value"));
        return;
    }

    if (r.warningCm)
        ui->Kalibr_warning->setText(calibrationWarningText(*r.warningCm));

    if (ownEnabled(ui->BTNCloseCom)) {
        const QString sep = QStringLiteral(", ");
        str_to_log(ui->Uroven->text() + sep + ui->tek->text() + sep + ui->lo->text() + sep +
                   ui->hi->text() + sep + mode_text + sep + ui->temp->text());
    }
}
