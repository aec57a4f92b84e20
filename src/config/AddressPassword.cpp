// Network address and access password.
#include "shell/frmSerial.h"

void frmSerial::net_Click() {}

void frmSerial::Vvod_PWD_Click() {}

void frmSerial::Chg_pass_Click() {}
