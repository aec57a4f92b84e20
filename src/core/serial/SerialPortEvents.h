#pragma once

#include <QObject>

namespace levelconf
{

// What the port has to tell between calls: bytes have arrived, or the device has gone.
// Work that must not block the window (the firmware update) waits for these instead of
// sitting in a read.
class SerialPortEvents : public QObject
{
    Q_OBJECT

signals:
    // New bytes are ready for takeArrived.
    void bytesArrived();
    // The open device has gone (an adapter pulled out); it is announced from the event
    // loop, never from inside a port call, so a listener may close the port at once.
    void deviceLost();
    // The device opened but would not take the line settings; `text` says why. The open
    // then fails.
    void lineSetUpFailed(const QString &text);
};

} // namespace levelconf
