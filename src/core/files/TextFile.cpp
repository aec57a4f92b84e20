#include "TextFile.h"

#include "AtomicFile.h"
#include "RegularFile.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

namespace levelconf
{

namespace
{
// The problems the operator reads, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(TextFile)
};

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
        *error = Texts::tr("it is larger than %n bytes, far more than any calibration file",
                           nullptr, int(kMaxTextFileSize));
        return std::nullopt;
    }
    return systemText(*bytes);
}

} // namespace levelconf
