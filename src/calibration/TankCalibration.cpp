// Automatic tank calibration by portions.
#include "shell/frmSerial.h"

void frmSerial::connectCalibration() {}

void frmSerial::Timer3_Timer() {}
