#include "PortDevice.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace levelconf
{

namespace
{
using Failure = SerialPort::OpenFailure;

Failure pathFailure(int error)
{
    switch (error) {
    case ENOENT:  // nothing there, or a link to nothing
    case ENOTDIR: // a file where a folder of the path should be
    case ENAMETOOLONG:
    case ENXIO: // a device node with no device behind it
    case ENODEV:
    case EIO:
        return Failure::NotFound;
    case ELOOP:
        return Failure::LinkLoop;
    case EACCES:
    case EPERM:
        return Failure::PermissionDenied;
    case EBUSY: // the terminal is opened exclusively by another program
        return Failure::Busy;
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

// The kernel's lock on the device node, held through a handle of its own. Every name that
// leads to the node meets it; it binds the superuser, whom the terminal's exclusive flag
// does not stop; it needs no lock folder, which a hardened service may not write or may
// see only privately; and it goes with the handle, so that a program that died holding
// the port leaves no stale lock to clear. The handle never changes the line: it is taken
// before the port is opened and set up, so that a port another program holds is left
// exactly as it was.
class FlockHold : public PortHold
{
public:
    explicit FlockHold(int fd) : m_fd(fd) {}
    ~FlockHold() override { ::close(m_fd); }
    FlockHold(const FlockHold &) = delete;
    FlockHold &operator=(const FlockHold &) = delete;

private:
    int m_fd;
};

int openRetrying(const char *path)
{
    int fd = -1;
    do {
        fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int flockRetrying(int fd)
{
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result;
}
} // namespace

PortDevice claimPortDevice(const QString &name)
{
    const QByteArray encoded = QFile::encodeName(name);
    if (encoded.isEmpty() || encoded.contains('\0'))
        return {Failure::NotFound, name, nullptr};
    struct stat st {
    };
    if (::stat(encoded.constData(), &st) != 0)
        return {pathFailure(errno), name, nullptr};
    // A folder, a regular file, a pipe or a disk is never opened as a port: a pipe would
    // hold the open until someone writes to it.
    if (!S_ISCHR(st.st_mode))
        return {Failure::NotASerialPort, name, nullptr};

    const QString path = nodePath(encoded);
    const int fd = openRetrying(QFile::encodeName(path).constData());
    if (fd < 0)
        return {pathFailure(errno), path, nullptr};
    // A file system that keeps no locks leaves the port to the exclusive open alone.
    if (flockRetrying(fd) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return {Failure::Busy, path, nullptr};
    }
    return {Failure::None, path, std::make_unique<FlockHold>(fd)};
}

} // namespace levelconf
