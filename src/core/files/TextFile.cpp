#include "TextFile.h"

#include "AtomicFile.h"
#include "RegularFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace
{
// No table or point file comes near this. A larger file, or a device that never ends, was
// picked by mistake and is not read: reading it whole would take all the memory there is.
constexpr qint64 kMaxTextFileSize = 1024 * 1024;
} // namespace

QByteArray systemTextLines(const QStringList &lines)
{
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += QByteArray(encode(line));
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> replaceTextFile(const QString &path, const QStringList &lines)
{
    return replaceFile(path, systemTextLines(lines));
}

QString systemText(const QByteArray &bytes)
{
    QStringDecoder decode(QStringConverter::System);
    return QString(decode(bytes));
}

std::optional<QString> readTextFile(const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxTextFileSize, error);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > kMaxTextFileSize) {
        *error = QStringLiteral("it is larger than %1 bytes, far more than any calibration file")
                     .arg(kMaxTextFileSize);
        return std::nullopt;
    }
    return systemText(*bytes);
}
