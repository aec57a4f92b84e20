#include "PortAdvice.h"

#include <QCoreApplication>

namespace
{
// The advice the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(PortAdvice)
};
} // namespace

QString openFailureAdvice(SerialPort::OpenFailure failure)
{
    if (failure != SerialPort::OpenFailure::PermissionDenied)
        return QString();
    return Texts::tr("No permission to use the port: add your user to the \"dialout\" group "
                     "(sudo usermod -aG dialout $USER), then log out and in again.");
}
