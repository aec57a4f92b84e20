// Request lines for a remote server.
#include "shell/frmSerial.h"

void frmSerial::connectRemote() {}

void frmSerial::VibGenCmd_Click() {}

void frmSerial::gen_zapr_Click() {}

void frmSerial::Gen_in_PWDd() {}

void frmSerial::gen_sost() {}

void frmSerial::gen_ser_ver() {}

void frmSerial::gen_sdv_full() {}

void frmSerial::gen_sdv_empty() {}

void frmSerial::gen_up_urDirect() {}

void frmSerial::gen_down_urDirect() {}

void frmSerial::gen_mode() {}

void frmSerial::gen_ust_pwd() {}
