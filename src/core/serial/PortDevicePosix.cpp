#include "PortDevice.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/file.h>
#include <sys/stat.h>

namespace
{
using Failure = SerialPort::OpenFailure;

Failure statFailure(int error)
{
    switch (error) {
    case ENOENT:  // nothing there, or a link to nothing
    case ENOTDIR: // a file where a folder of the path should be
    case ENAMETOOLONG:
        return Failure::NotFound;
    case ELOOP:
        return Failure::LinkLoop;
    case EACCES: // a folder on the way we may not search
        return Failure::PermissionDenied;
    default:
        return Failure::Other;
    }
}

// The path of the node itself; the name as it is should the system not say.
QString nodePath(const QByteArray &name)
{
    char resolved[PATH_MAX];
    if (::realpath(name.constData(), resolved) == nullptr)
        return QFile::decodeName(name);
    return QFile::decodeName(resolved);
}
} // namespace

PortDevice findPortDevice(const QString &name)
{
    const QByteArray encoded = QFile::encodeName(name);
    struct stat st {
    };
    if (encoded.isEmpty() || encoded.contains('\0'))
        return {Failure::NotFound, name};
    if (::stat(encoded.constData(), &st) != 0)
        return {statFailure(errno), name};
    // A folder, a regular file, a pipe or a disk is never opened as a port: a pipe would
    // hold the open until someone writes to it.
    if (!S_ISCHR(st.st_mode))
        return {Failure::NotASerialPort, name};
    return {Failure::None, nodePath(encoded)};
}

// The lock is the kernel's, on the device node: every name that leads to the node meets
// it, it binds the superuser as well (the terminal's exclusive flag does not), it needs no
// lock folder that a hardened service may not write, and it goes with the last handle, so
// that a program that died holding the port leaves nothing behind to clear.
bool keepPortDevice(qintptr handle)
{
    int result = 0;
    do {
        result = ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    // A device whose file system keeps no locks is still kept by the exclusive open.
    return result == 0 || errno != EWOULDBLOCK;
}
