#pragma once

#include "SerialPort.h"

#include <QString>

namespace levelconf
{

// The line settings every sensor on the bus talks with.
inline const QString kBusLineSettings = QStringLiteral("19200,n,8,1");

// Why a port would not open, and what the operator can do about it; empty when nothing
// more is known. With the `device` that was opened, a path that is no serial port says
// what it is instead.
QString openFailureAdvice(SerialPort::OpenFailure failure, const QString &device = QString());

} // namespace levelconf
