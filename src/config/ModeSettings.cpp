// Mode byte, air parameters and distance settings.
#include "shell/frmSerial.h"

void frmSerial::Set_mode_Click() {}

void frmSerial::SetAir_Click() {}

void frmSerial::Dalnost_Click() {}

void frmSerial::Command1_Click() {}
