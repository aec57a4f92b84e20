#pragma once

#include "SerialPort.h"

#include <QString>

#include <memory>

namespace levelconf
{

// A port is its device, not the name it was given: a link made by udev or by a simulator,
// a doubled slash or a ".." all lead to one device, and one program at a time may use it.
// The platform's file says what a name leads to and how a device is kept.

// Keeps a device for one open of it, by whatever name it is asked for again, the
// superuser included, until the hold goes; a program that ends, however it ends, leaves
// nothing behind.
class PortHold
{
public:
    virtual ~PortHold() = default;
};

struct PortDevice {
    // Why the name is no port to open, found without touching a port that someone else
    // holds; None when `hold` is set.
    SerialPort::OpenFailure failure = SerialPort::OpenFailure::None;
    // The device's own path, with every link and spelling resolved; the name as given
    // where it leads to nothing.
    QString path;
    std::unique_ptr<PortHold> hold;
};

// What `name` leads to and, where that is a device nobody holds, the hold on it.
PortDevice claimPortDevice(const QString &name);

} // namespace levelconf
