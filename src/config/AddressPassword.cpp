// Network address and access password.
#include "ConfigCommand.h"
#include "protocol/ExchangeEngine.h"
#include "protocol/Requests.h"
#include "shell/frmSerial.h"
#include "ui_frmSerial.h"

namespace
{

TypedSetting password(bool change)
{
    TypedSetting s;
    s.lowest = 0;
    s.highest = 2000000000;
    s.logTypedText = true;
    s.build = [change](quint8 address, qint64 p, bool withKey) {
        return passwordRequest(address, change, static_cast<quint32>(p), withKey);
    };
    return s;
}

} // namespace

void frmSerial::net_Click()
{
    TypedSetting s;
    s.notConnectedLog = QStringLiteral("Cmd Set New net addr: Sensor not connected!");
    s.prompt = QStringLiteral("Enter new network address");
    s.title = QStringLiteral("Setting network address");
    s.initial = ui->CmbNet->currentIndex() >= 0 ? ui->CmbNet->currentText() : QString();
    s.noAddressMessage = QStringLiteral("Select the configured network address");
    s.lowest = 0;
    s.highest = 255;
    s.rangeMessage = QStringLiteral("Enter a value from the range 0....255");
    s.logPrefix = QStringLiteral("Cmd Set New net addr = ");
    s.build = [](quint8 address, qint64 n, bool withKey) {
        return netAddressRequest(address, static_cast<quint8>(n), withKey);
    };
    queueTypedSetting(*this, ui->tek->text(), s);
}

void frmSerial::Vvod_PWD_Click()
{
    // Whatever was pending is dropped, even if the operator then gives up.
    exchangeEngine->dropPending();
    TypedSetting s = password(false);
    s.notConnectedLog = QStringLiteral("Cmd Enter Password: Sensor not connected!");
    s.prompt = QStringLiteral("Enter password");
    s.title = QStringLiteral("Enter password");
    s.noAddressMessage = QStringLiteral("Set an acceptable password");
    s.rangeMessage =
        QStringLiteral("Enter a figures-only pasword, acceptable values 0....2 000 000 000");
    s.logPrefix = QStringLiteral("Cmd Enter Password = ");
    queueTypedSetting(*this, ui->tek->text(), s);
}

void frmSerial::Chg_pass_Click()
{
    exchangeEngine->dropPending();
    TypedSetting s = password(true);
    s.notConnectedLog = QStringLiteral("Cmd New Password: Sensor not connected!");
    s.warning = QStringLiteral(
        "You are about to change the password. If you forget it, only the manufacturer's "
        "tech support will be able to reset it. Change the password?");
    s.prompt = QStringLiteral("Enter new password");
    s.title = QStringLiteral("Setting new password");
    s.initial = QStringLiteral("0");
    s.noAddressMessage = QStringLiteral("Select acceptable password");
    s.rangeMessage = QStringLiteral("Enter password as a value 0....2 000 000 000");
    s.logPrefix = QStringLiteral("Cmd New Password = ");
    queueTypedSetting(*this, ui->tek->text(), s);
}
