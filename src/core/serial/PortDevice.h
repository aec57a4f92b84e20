#pragma once

#include "SerialPort.h"

#include <QString>

// A port is its device, not the name it was given: a link made by udev or by a simulator,
// a doubled slash or a ".." all lead to one device, and one program at a time may use it.
// The platform's file says what a name leads to and how an open device is kept.

struct PortDevice {
    // Why the name can be no port, found without opening anything; None when it leads to
    // a device worth trying.
    SerialPort::OpenFailure failure = SerialPort::OpenFailure::None;
    // The device's own path, with every link and spelling resolved; the name as given
    // where it leads to nothing.
    QString path;
};

// What `name` leads to.
PortDevice findPortDevice(const QString &name);

// Keeps the device of the open port `handle` for this open alone, for as long as the
// handle stays open (and not a moment after the program ends, however it ends). False when
// another open already keeps it: the port is in use, whoever asks, the superuser included.
bool keepPortDevice(qintptr handle);
