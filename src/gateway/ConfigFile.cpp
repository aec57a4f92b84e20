#include "ConfigFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

std::optional<std::vector<ConfigEntry>> parseConfigText(const QString &text, const QString &name,
                                                        QString *error)
{
    std::vector<ConfigEntry> entries;
    QSet<QString> seen;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = line.left(eq).trimmed();
        if (eq <= 0 || key.isEmpty()) {
            *error = QStringLiteral("%1, line %2: \"%3\" is not key = value")
                         .arg(name)
                         .arg(i + 1)
                         .arg(line);
            return std::nullopt;
        }
        if (seen.contains(key)) {
            *error = QStringLiteral("%1, line %2: %3 is given twice").arg(name).arg(i + 1).arg(key);
            return std::nullopt;
        }
        seen.insert(key);
        entries.push_back({key, line.mid(eq + 1).trimmed(), i + 1});
    }
    return entries;
}

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes, QString *error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // Bounded whatever the size said a moment ago: the file may have grown since.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return std::nullopt;
    }
    return bytes;
}
