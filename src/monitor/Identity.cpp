// Identity of the selected sensor and the network search.
#include "shell/frmSerial.h"

void frmSerial::connectMonitor() {}

QByteArray frmSerial::Zapros_ser_num()
{
    return {};
}

void frmSerial::assept_sn(const QByteArray &) {}

void frmSerial::Opros_Click() {}

void frmSerial::CmbNet_Click() {}
