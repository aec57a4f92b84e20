// Regular files on Windows. A path may name a device ("NUL", "COM1", "\\.\COM3") or a
// named pipe ("\\.\pipe\..."), which opens like a file and then holds the reader; the
// handle is asked what it is before anything is read.
#include "RegularFile.h"
#include "RegularFileTexts.h"

#include <QDir>
#include <QScopeGuard>

#include <windows.h>

namespace levelconf
{

namespace
{
QString systemError(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString why = n > 0 ? QString::fromWCharArray(text, int(n)).trimmed()
                        : QStringLiteral("error %1").arg(error);
    if (text)
        ::LocalFree(text);
    if (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    return why;
}

HANDLE openForLook(const QString &path, DWORD *error)
{
    // Without sharing denied to others, and with folders allowed, so that a folder is
    // named as one instead of failing as "access denied".
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const HANDLE h = ::CreateFileW(native.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    *error = h == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    return h;
}

// What the handle is when it is not a regular file; nothing when it is one.
std::optional<QString> kindOf(HANDLE h)
{
    switch (::GetFileType(h)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(h, &info) &&
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return RegularFileTexts::folder();
        return std::nullopt;
    }
    case FILE_TYPE_PIPE:
        return RegularFileTexts::namedPipe();
    case FILE_TYPE_CHAR:
        return RegularFileTexts::characterDevice();
    default:
        return RegularFileTexts::somethingElse();
    }
}
} // namespace

std::optional<QString> saveTargetRefusal(const QString &path)
{
    DWORD error = 0;
    const HANDLE h = openForLook(path, &error);
    // A pipe whose every instance is taken is a pipe all the same.
    if (h == INVALID_HANDLE_VALUE)
        return error == ERROR_PIPE_BUSY ? std::optional<QString>(RegularFileTexts::notRegular(
                                              RegularFileTexts::namedPipe()))
                                        : std::nullopt;
    const auto closeFile = qScopeGuard([h] { ::CloseHandle(h); });
    if (const std::optional<QString> kind = kindOf(h))
        return RegularFileTexts::notRegular(*kind);
    return std::nullopt;
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *error)
{
    DWORD openError = 0;
    const HANDLE h = openForLook(path, &openError);
    if (h == INVALID_HANDLE_VALUE) {
        *error = openError == ERROR_PIPE_BUSY
                     ? RegularFileTexts::notRegular(RegularFileTexts::namedPipe())
                     : RegularFileTexts::cannotOpen(systemError(openError));
        return std::nullopt;
    }
    const auto closeFile = qScopeGuard([h] { ::CloseHandle(h); });
    if (const std::optional<QString> kind = kindOf(h)) {
        *error = RegularFileTexts::notRegular(*kind);
        return std::nullopt;
    }
    QByteArray bytes;
    char chunk[65536];
    while (bytes.size() <= limit) {
        DWORD n = 0;
        if (!::ReadFile(h, chunk, sizeof chunk, &n, nullptr)) {
            *error = RegularFileTexts::cannotRead(systemError(::GetLastError()));
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(chunk, int(qMin<qint64>(n, limit + 1 - bytes.size())));
    }
    return bytes;
}

} // namespace levelconf
