#include "RegularFile.h"

#include <QFile>

namespace
{
QString cannotOpen(const QString &why)
{
    return QStringLiteral("it cannot be opened (%1)").arg(why);
}

QString cannotRead(const QString &why)
{
    return QStringLiteral("it cannot be read (%1)").arg(why);
}

QString notRegular(const QString &kind)
{
    return QStringLiteral("it is %1, not a regular file").arg(kind);
}
} // namespace

#ifdef Q_OS_UNIX

#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("something else");
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

std::optional<QString> saveTargetRefusal(const QString &path)
{
    struct stat st {
    };
    // Nothing there (or nothing that can be looked at): the save itself says what is wrong.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return std::nullopt;
    return notRegular(kindOf(st.st_mode));
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *error)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer, and no signal ends it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = cannotOpen(systemError(errno));
        return std::nullopt;
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st {
    };
    if (::fstat(fd, &st) != 0) {
        *error = cannotRead(systemError(errno));
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        *error = notRegular(kindOf(st.st_mode));
        return std::nullopt;
    }
    QByteArray bytes;
    char chunk[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = cannotRead(systemError(errno));
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(chunk, qMin<qint64>(n, limit + 1 - bytes.size()));
    }
    return bytes;
}

#else

#include <QFileInfo>

// Named pipes are no files of a folder here; a look before the open is enough.
std::optional<QString> saveTargetRefusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return notRegular(info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a device"));
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *error)
{
    if (const std::optional<QString> refusal = saveTargetRefusal(path)) {
        *error = *refusal;
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = cannotOpen(file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = cannotRead(file.errorString());
        return std::nullopt;
    }
    return bytes;
}

#endif
