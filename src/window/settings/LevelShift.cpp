// Shifts of the empty and full calibration levels.
#include "ConfigCommand.h"
#include "Form4.h"
#include "core/config/SettingRules.h"
#include "ui_frmSerial.h"
#include "window/shell/frmSerial.h"

namespace
{
RangedSetting levelShift(const QString &text, bool full)
{
    RangedSetting s = levelShiftRule(full);
    s.text = text;
    return s;
}
} // namespace

void frmSerial::connectConfig()
{
    connect(ui->shift, &QPushButton::clicked, this, &frmSerial::shift_Click);
    connect(ui->Set_mode, &QPushButton::clicked, this, &frmSerial::Set_mode_Click);
    connect(ui->SetAir, &QPushButton::clicked, this, &frmSerial::SetAir_Click);
    connect(ui->Dalnost, &QPushButton::clicked, this, &frmSerial::Dalnost_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmSerial::Command1_Click);
    connect(ui->net, &QPushButton::clicked, this, &frmSerial::net_Click);
    connect(ui->Vvod_PWD, &QPushButton::clicked, this, &frmSerial::Vvod_PWD_Click);
    connect(ui->Chg_pass, &QPushButton::clicked, this, &frmSerial::Chg_pass_Click);
}

void frmSerial::shift_Click()
{
    // The shift window is made on first use; from then on its buttons reach the commands.
    Form4 *f = form4();
    connect(f, &Form4::shiftFullRequested, this, &frmSerial::sdv_hi_Click, Qt::UniqueConnection);
    connect(f, &Form4::shiftEmptyRequested, this, &frmSerial::sdv_low_Click, Qt::UniqueConnection);
    f->show();
    f->raise();
    f->activateWindow();
}

void frmSerial::sdv_hi_Click()
{
    queueRangedSetting(*this, levelShift(form4()->shiftText(), true));
}

void frmSerial::sdv_low_Click()
{
    queueRangedSetting(*this, levelShift(form4()->shiftText(), false));
}
