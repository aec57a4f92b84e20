#pragma once

#include "SerialPortEvents.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace levelconf
{

// The one serial port of the program. The exchange engine and the firmware update reach
// the bus only through these procedures; tests put a scripted port in its place.
class SerialPort
{
public:
    // Why the last open failed, so that the operator can be told what to do about it.
    // Busy: another program (or another port of this one) holds the device, by whatever
    // name. LinkLoop: the name's symbolic links lead round in a circle.
    enum class OpenFailure {
        None,
        NotFound,
        PermissionDenied,
        Busy,
        NotASerialPort,
        LinkLoop,
        Other
    };

    virtual ~SerialPort() = default;

    // The platform's serial port names present now, in ascending natural order, at most
    // 30 (COM3 on Windows; ttyS0, ttyUSB0 on Linux).
    virtual QStringList portNames() = 0;

    // Whether the port of that name exists and can be used.
    virtual bool portExists(const QString &name) = 0;

    // The device to open for a port list item ("\\.\COM3", "/dev/ttyUSB0"); a typed path
    // stays as it is.
    virtual QString deviceName(const QString &item) const = 0;

    // Opens `device` exclusively with line settings such as "19200,n,8,1".
    virtual bool open(const QString &device, const QString &settings) = 0;
    virtual OpenFailure lastOpenFailure() const = 0;
    virtual bool close() = 0;
    virtual void flush() = 0;

    // ---- Without waiting ----
    // Nothing here holds the caller for the line: bytes are taken as events() announces
    // them, and frames are handed over without waiting for them to go out.

    // Whatever has arrived and not been taken yet; empty when nothing has. Never waits.
    virtual QByteArray takeArrived() = 0;

    // Hands `data` to the port to be sent as fast as the line goes, without waiting for
    // it to go out. Returns the number of bytes the port took: fewer than the size means
    // the port is not usable.
    virtual int send(const QByteArray &data) = 0;

    // Why the open port stopped reading or writing, in the system's words; empty while it
    // works or when the port cannot tell.
    virtual QString ioFailure() const { return {}; }

    SerialPortEvents &events() { return m_events; }

private:
    SerialPortEvents m_events;
};

} // namespace levelconf
