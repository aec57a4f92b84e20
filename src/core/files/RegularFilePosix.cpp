#include "RegularFile.h"
#include "RegularFileTexts.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace levelconf
{

namespace
{
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return RegularFileTexts::folder();
    if (S_ISFIFO(mode))
        return RegularFileTexts::namedPipe();
    if (S_ISCHR(mode))
        return RegularFileTexts::characterDevice();
    if (S_ISBLK(mode))
        return RegularFileTexts::blockDevice();
    if (S_ISSOCK(mode))
        return RegularFileTexts::socket();
    return RegularFileTexts::somethingElse();
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
    return RegularFileTexts::notRegular(kindOf(st.st_mode));
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *error)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer, and no signal ends it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = RegularFileTexts::cannotOpen(systemError(errno));
        return std::nullopt;
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st {
    };
    if (::fstat(fd, &st) != 0) {
        *error = RegularFileTexts::cannotRead(systemError(errno));
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        *error = RegularFileTexts::notRegular(kindOf(st.st_mode));
        return std::nullopt;
    }
    QByteArray bytes;
    char chunk[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = RegularFileTexts::cannotRead(systemError(errno));
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(chunk, qMin<qint64>(n, limit + 1 - bytes.size()));
    }
    return bytes;
}

} // namespace levelconf
