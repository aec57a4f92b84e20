#include "PortAdvice.h"

#include <QFileInfo>

namespace
{
QString notASerialPort(const QString &device)
{
    if (device.isEmpty())
        return QStringLiteral("It is not a serial port.");
    const QFileInfo info(device);
    if (info.isDir())
        return QStringLiteral("It is a folder, not a serial port.");
    if (info.isFile())
        return QStringLiteral("It is a regular file, not a serial port.");
    return QStringLiteral("It is not a serial port: it takes no line settings.");
}
} // namespace

QString openFailureAdvice(SerialPort::OpenFailure failure, const QString &device)
{
    switch (failure) {
    case SerialPort::OpenFailure::PermissionDenied:
        return QStringLiteral("No permission to use the port: add your user to the \"dialout\" "
                              "group (sudo usermod -aG dialout $USER), then log out and in "
                              "again.");
    case SerialPort::OpenFailure::NotASerialPort:
        return notASerialPort(device);
    default:
        return QString();
    }
}
