// Network address and access password.
#include "ConfigCommand.h"
#include "core/config/SettingRules.h"
#include "core/protocol/ExchangeEngine.h"
#include "ui_frmSerial.h"
#include "window/shell/frmSerial.h"

void frmSerial::net_Click()
{
    TypedSetting s = netAddressRule();
    s.initial = ui->CmbNet->currentIndex() >= 0 ? ui->CmbNet->currentText() : QString();
    queueTypedSetting(*this, ui->tek->text(), s);
}

void frmSerial::Vvod_PWD_Click()
{
    // Whatever was pending is dropped, even if the operator then gives up.
    exchangeEngine->dropPending();
    queueTypedSetting(*this, ui->tek->text(), passwordRule(false));
}

void frmSerial::Chg_pass_Click()
{
    exchangeEngine->dropPending();
    queueTypedSetting(*this, ui->tek->text(), passwordRule(true));
}
