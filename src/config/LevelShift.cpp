// Shifts of the empty and full calibration levels.
#include "shell/frmSerial.h"

void frmSerial::connectConfig() {}

void frmSerial::shift_Click() {}

void frmSerial::sdv_hi_Click() {}

void frmSerial::sdv_low_Click() {}
