#include "PtyTransport.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace
{
QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

// What a link holds, as written; empty when `path` is no link.
QString linkTarget(const QString &path)
{
    char target[4096];
    const ssize_t n = ::readlink(path.toLocal8Bit().constData(), target, sizeof target);
    if (n <= 0 || size_t(n) >= sizeof target)
        return QString();
    return QString::fromLocal8Bit(target, int(n));
}

// A slave device path, such as the links of this program point at: /dev/pts/N on Linux
// and the BSDs, /dev/ttysN on macOS.
bool isPseudoTerminalPath(const QString &path)
{
    static const QRegularExpression slave(QStringLiteral("^/dev/(pts/|ttys)[0-9]+$"));
    return slave.match(path).hasMatch();
}
} // namespace

PtyTransport::~PtyTransport()
{
    close();
}

bool PtyTransport::open(QString *error)
{
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0) {
        *error = systemError(QStringLiteral("posix_openpt"));
        return false;
    }
    char name[128] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        *error = systemError(QStringLiteral("pseudo-terminal set-up"));
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        *error = systemError(m_slavePath);
        close();
        return false;
    }
    // Raw from the start: a program that opens the device before setting its own line
    // must not get its requests echoed back as answers.
    termios t{};
    if (::tcgetattr(m_slave, &t) != 0) {
        *error = systemError(m_slavePath);
        close();
        return false;
    }
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B19200);
    ::cfsetospeed(&t, B19200);
    if (::tcsetattr(m_slave, TCSANOW, &t) != 0) {
        *error = systemError(m_slavePath);
        close();
        return false;
    }
    return true;
}

bool PtyTransport::makeLink(const QString &path, QString *error)
{
    const QFileInfo existing(path);
    if (existing.isSymLink()) {
        // A link to a pseudo-terminal was left by an earlier run, killed before it could
        // remove it; its number may already serve another terminal, so whether the target
        // still exists tells nothing. Any other link is someone's own and stays.
        const QString target = linkTarget(path);
        if (!isPseudoTerminalPath(target)) {
            *error = QStringLiteral("%1 is a link to %2, which this program did not make; not "
                                    "replacing it")
                         .arg(path, target);
            return false;
        }
        if (::unlink(path.toLocal8Bit().constData()) != 0 && errno != ENOENT) {
            *error = systemError(path);
            return false;
        }
    } else if (existing.exists()) {
        *error = QStringLiteral("%1 exists and is not a link; not replacing it").arg(path);
        return false;
    }
    if (::symlink(m_slavePath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        *error = systemError(path);
        return false;
    }
    m_linkPath = path;
    return true;
}

void PtyTransport::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    // Only our own link: another run may have taken the name over since.
    const QFileInfo link(m_linkPath);
    if (link.isSymLink() && link.symLinkTarget() == m_slavePath)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}

void PtyTransport::close()
{
    removeLink();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}

QByteArray PtyTransport::readAvailable()
{
    QByteArray out;
    if (m_master < 0)
        return out;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return out;
    }
}

void PtyTransport::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}
