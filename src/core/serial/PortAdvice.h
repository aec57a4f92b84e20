#pragma once

#include "SerialPort.h"

#include <QString>

// The line settings every sensor on the bus talks with.
inline const QString kBusLineSettings = QStringLiteral("19200,n,8,1");

// What the operator can do about a port that would not open, or why it cannot be one;
// empty when there is nothing to say beyond the failure itself. With the `device` that
// was opened, a path that is no serial port says what it is instead.
QString openFailureAdvice(SerialPort::OpenFailure failure, const QString &device = QString());
