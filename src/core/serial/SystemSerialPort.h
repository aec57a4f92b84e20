#pragma once

#include "SerialPort.h"

#include <memory>

namespace levelconf
{

// The serial module of the system the program runs on: Qt SerialPort on Linux, the
// program's own on the Win32 communications API on Windows. CMake builds one of the two.
std::unique_ptr<SerialPort> makeSystemSerialPort();

} // namespace levelconf
