#include "PortAdvice.h"

QString openFailureAdvice(SerialPort::OpenFailure failure)
{
    if (failure != SerialPort::OpenFailure::PermissionDenied)
        return QString();
    return QStringLiteral("No permission to use the port: add your user to the \"dialout\" "
                          "group (sudo usermod -aG dialout $USER), then log out and in again.");
}
