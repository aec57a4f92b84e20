#include "TextFile.h"

#include "shell/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

std::optional<QString> readTextFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    QStringDecoder decode(QStringConverter::System);
    return QString(decode(bytes));
}
