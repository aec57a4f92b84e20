#include "PortAdvice.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace levelconf
{

namespace
{
// The advice the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(PortAdvice)
};

QString notASerialPort(const QString &device)
{
    if (device.isEmpty())
        return Texts::tr("It is not a serial port.");
    const QFileInfo info(device);
    if (info.isDir())
        return Texts::tr("It is a folder, not a serial port.");
    if (info.isFile())
        return Texts::tr("It is a regular file, not a serial port.");
    return Texts::tr("It is not a serial port: it takes no line settings.");
}
} // namespace

QString openFailureAdvice(SerialPort::OpenFailure failure, const QString &device)
{
    switch (failure) {
    case SerialPort::OpenFailure::Busy:
        return Texts::tr("It is in use by another program.");
    case SerialPort::OpenFailure::NotFound:
        return Texts::tr("There is no such device.");
    case SerialPort::OpenFailure::LinkLoop:
        return Texts::tr("Its symbolic links lead round in a loop.");
    case SerialPort::OpenFailure::PermissionDenied:
        return Texts::tr("No permission to use the port: add your user to the \"dialout\" group "
                         "(sudo usermod -aG dialout $USER), then log out and in again.");
    case SerialPort::OpenFailure::NotASerialPort:
        return notASerialPort(device);
    default:
        return QString();
    }
}

} // namespace levelconf
