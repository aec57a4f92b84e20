// Decoding of the data answer into the readings.
#include "shell/frmSerial.h"

void frmSerial::all_data_to_form(const QByteArray &) {}
