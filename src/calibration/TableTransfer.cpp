// Transfer of the calibration table between the sensor and the table editor.
#include "shell/frmSerial.h"

QString frmSerial::ans_to_table(const QByteArray &)
{
    return {};
}
