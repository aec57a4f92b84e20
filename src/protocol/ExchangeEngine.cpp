// The exchange engine: one request out and one answer in per tick.
#include "shell/frmSerial.h"

void frmSerial::connectEngine() {}

void frmSerial::TMRComm_Timer() {}
