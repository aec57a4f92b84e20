#include "RegularFile.h"

#include <QCoreApplication>
#include <QFile>

namespace
{
// Why a file cannot be read, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(RegularFile)
};

QString cannotOpen(const QString &why)
{
    return Texts::tr("it cannot be opened (%1)").arg(why);
}

QString cannotRead(const QString &why)
{
    return Texts::tr("it cannot be read (%1)").arg(why);
}

QString notRegular(const QString &kind)
{
    return Texts::tr("it is %1, not a regular file").arg(kind);
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
        return Texts::tr("a folder");
    if (S_ISFIFO(mode))
        return Texts::tr("a named pipe");
    if (S_ISCHR(mode))
        return Texts::tr("a character device");
    if (S_ISBLK(mode))
        return Texts::tr("a block device");
    if (S_ISSOCK(mode))
        return Texts::tr("a socket");
    return Texts::tr("something else");
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
    return notRegular(info.isDir() ? Texts::tr("a folder") : Texts::tr("a device"));
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
