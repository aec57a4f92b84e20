// The mode byte and the firmware ladder.
#include "shell/frmSerial.h"

void frmSerial::Out_modes(quint8) {}

void frmSerial::swtag130() {}

void frmSerial::swtag131() {}

void frmSerial::swtag134() {}

void frmSerial::swtag163() {}

void frmSerial::swtag170() {}

void frmSerial::swtag171() {}

void frmSerial::swtag172() {}

void frmSerial::swtag176() {}

void frmSerial::runFirmwareLadder() {}
