// Mode byte, air parameters and distance settings.
#include "ConfigCommand.h"
#include "core/config/SettingRules.h"
#include "core/config/SettingValues.h"
#include "core/input/NumberInput.h"
#include "core/protocol/Requests.h"
#include "ui_frmSerial.h"
#include "window/calibration/Form3.h"
#include "window/shell/frmSerial.h"
#include "window/widgets/ModeWidgets.h"

void frmSerial::Set_mode_Click()
{
    // The percent and litre flags are chosen in the table editor.
    ui->tartab1->setCheckState(form3()->tartabState());
    ui->per_sents->setCheckState(form3()->perSentsState());

    const quint8 m = modeByte(readModeControls({{ui->R485, ui->R_a, ui->R_f, ui->R_p, ui->R_p485},
                                                ui->iinv,
                                                ui->usredn,
                                                ui->D_4096,
                                                ui->tartab1,
                                                ui->per_sents}));

    ConfigCommand cmd(*this);
    if (!cmd.sensorConnected(ui->tek->text(), modeNotConnectedLog()) || !cmd.addressSelected() ||
        !cmd.confirmed(modeQuestion()))
        return;
    cmd.log(modeLogLine(m, ui->sgla->text()));

    std::optional<quint8> second;
    if (sensorCapabilities().secondModeByte) {
        // The label mirrors the slider; should it ever hold something else, the slider
        // has the level.
        const std::optional<qint64> shown = toWhole(ui->sgla->text(), NumWidth::Byte);
        const auto level = static_cast<quint8>(shown ? *shown : ui->Slider1->value());
        second = secondModeByte(level, ui->opLast->isChecked(), ui->opFirstLast->isChecked());
    }
    cmd.queue(modeRequest(cmd.address(), m, cmd.withKey(), second), QString(),
              ConfigCommand::Echo::Yes, ConfigCommand::Refresh::Yes);
}

void frmSerial::SetAir_Click()
{
    const AirValue t = airTemperature(ui->Tsr->text());
    const AirValue p = airPressure(ui->Psr->text());
    const AirValue h = airHumidity(ui->Hsr->text());

    ConfigCommand cmd(*this);
    const QStringList refusal = airRefusal(t, p, h);
    if (!cmd.require(refusal.isEmpty(), refusal) || !cmd.addressSelected())
        return;
    cmd.queue(airRequest(cmd.address(), t.value, p.value, static_cast<quint8>(h.value)),
              airLogLine(t, p, h), ConfigCommand::Echo::No, ConfigCommand::Refresh::No);
}

void frmSerial::Dalnost_Click()
{
    RangedSetting s = maxDistanceRule();
    s.text = ui->maxLong->text();
    queueRangedSetting(*this, s);
}

void frmSerial::Command1_Click()
{
    RangedSetting s = minDistanceRule();
    s.text = ui->lamp_level->text();
    queueRangedSetting(*this, s);
}
