// Mode byte, air parameters and distance settings.
#include "ConfigCommand.h"
#include "SettingValues.h"
#include "calibration/Form3.h"
#include "monitor/ModeWidgets.h"
#include "protocol/Requests.h"
#include "shell/NumberInput.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

namespace
{

// True for an air value that can be sent. A refused one shows its range message when it
// is a number at all, then the common one.
bool acceptAir(const ConfigCommand &cmd, const AirValue &v, const QString &rangeMessage)
{
    const QString wrong = QStringLiteral("Wrong parameter values ");
    switch (v.check) {
    case AirValue::Check::Ok:
        return true;
    case AirValue::Check::OutOfRange:
        return cmd.refuse({rangeMessage, wrong});
    case AirValue::Check::Unreadable:
        break;
    }
    return cmd.refuse({wrong});
}

} // namespace

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
    if (!cmd.sensorConnected(ui->tek->text(),
                             QStringLiteral("Cmd Change mode to: Sensor not connected!")) ||
        !cmd.addressSelected() ||
        !cmd.confirmed(QStringLiteral("The mode is about to be changed. Please, confirm?")))
        return;
    cmd.log(QStringLiteral("Cmd Change mode to ") + QString::number(m) + QStringLiteral(" sgla ") +
            ui->sgla->text());

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
    if (!acceptAir(cmd, t, QStringLiteral("Acceptable temperature values -60.00 to 60.00 dgr")) ||
        !acceptAir(cmd, p, QStringLiteral("Acceptable atm pressure values 500.0 to 1200.0 GPa")) ||
        !acceptAir(cmd, h, QStringLiteral("Acceptable humidity values 1 to 100 %")) ||
        !cmd.addressSelected())
        return;
    // The log shows the temperature as the two bytes sent, read unsigned.
    const auto tu = static_cast<quint16>(t.value);
    cmd.queue(airRequest(cmd.address(), t.value, p.value, static_cast<quint8>(h.value)),
              QStringLiteral("Cmd Set AirParam: T=%1 P=%2 H=%3").arg(tu).arg(p.value).arg(h.value),
              ConfigCommand::Echo::No, ConfigCommand::Refresh::No);
}

void frmSerial::Dalnost_Click()
{
    RangedSetting s;
    s.text = ui->maxLong->text();
    s.lowest = 1;
    s.highest = 1200;
    s.rangeMessage = QStringLiteral("Values can be from 1 to 1200 cm");
    s.question = QStringLiteral("Max value will be set. Please, confirm.");
    s.logPrefix = QStringLiteral("Cmd Set SetMaxRange: ");
    s.refresh = ConfigCommand::Refresh::Yes;
    s.build = [](quint8 address, qint16 d, bool withKey) {
        return maxDistanceRequest(address, static_cast<quint16>(d), withKey);
    };
    queueRangedSetting(*this, s);
}

void frmSerial::Command1_Click()
{
    RangedSetting s;
    s.text = ui->lamp_level->text();
    s.lowest = 1;
    s.highest = 99;
    s.rangeMessage = QStringLiteral("Acceptable values 1 to 99");
    s.question = QStringLiteral("The min distance between 2 objects used to distinguish them "
                                "one from another will be changed. Confirm??");
    s.logPrefix = QStringLiteral("Cmd Set Lamp Level: ");
    s.refresh = ConfigCommand::Refresh::Yes;
    s.build = [](quint8 address, qint16 v, bool withKey) {
        return minDistanceRequest(address, static_cast<quint8>(v), withKey);
    };
    queueRangedSetting(*this, s);
}
