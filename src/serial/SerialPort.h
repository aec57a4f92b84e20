#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The one serial port of the program. The exchange engine and the firmware update reach
// the bus only through these procedures; tests put a scripted port in its place.
class SerialPort
{
public:
    // Why the last ComOpen failed, so that the operator can be told what to do about it.
    enum class OpenFailure { None, NotFound, PermissionDenied, Busy, Other };

    virtual ~SerialPort() = default;

    // The platform's serial port names present now, in ascending natural order, at most
    // 30 (COM3 on Windows; ttyS0, ttyUSB0 on Linux).
    virtual QStringList portNames() = 0;

    // Whether the port of that name exists and can be used.
    virtual bool ComPortExists(const QString &name) = 0;

    // The device to open for a port list item ("\\.\COM3", "/dev/ttyUSB0"); a typed path
    // stays as it is.
    virtual QString deviceName(const QString &item) const = 0;

    // Opens `device` exclusively with line settings such as "19200,n,8,1".
    virtual bool ComOpen(const QString &device, const QString &settings) = 0;
    virtual OpenFailure lastOpenFailure() const = 0;
    virtual bool ComClose() = 0;
    virtual void ComFlush() = 0;

    // What has arrived: at most 255 bytes, ending on a 20 ms gap, never waiting longer
    // than 256 ms; empty (after a flush) when nothing came.
    virtual QByteArray ComRead() = 0;

    // Writes `data` in pieces of at most 255 bytes; returns the number written.
    virtual int ComWrite(const QByteArray &data) = 0;
};
