#include "ConfigFile.h"

#include "BrokerUrl.h"

#include "core/files/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QStringList>

using namespace levelconf;

namespace
{
// The gateway's messages, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ConfigFile)
};
} // namespace

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
            // The line may be a broker's URL with its password.
            *error = Texts::tr("%1, line %2: \"%3\" is not key = value")
                         .arg(name)
                         .arg(i + 1)
                         .arg(withoutUserInfo(line));
            return std::nullopt;
        }
        if (seen.contains(key)) {
            *error = Texts::tr("%1, line %2: %3 is given twice").arg(name).arg(i + 1).arg(key);
            return std::nullopt;
        }
        seen.insert(key);
        entries.push_back({key, line.mid(eq + 1).trimmed(), i + 1});
    }
    return entries;
}

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes, QString *error)
{
    std::optional<QByteArray> bytes = readRegularFile(path, maxBytes, error);
    if (bytes && bytes->size() > maxBytes) {
        *error = Texts::tr("larger than %1 bytes").arg(maxBytes);
        return std::nullopt;
    }
    return bytes;
}
