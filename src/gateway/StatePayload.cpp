#include "StatePayload.h"

#include "core/trend/ReadingRecord.h"
#include "core/trend/ReadingsCsv.h"

#include <QJsonDocument>

QByteArray statePayload(const DataReadings &readings, quint8 address,
                        std::optional<StabilityLamp> lamp, const QDateTime &time,
                        const QLocale &locale)
{
    const TrendEntry e =
        readingEntry(readings, address, lamp.value_or(StabilityLamp::Yellow), time);
    QJsonObject o = readingJson(e, readings);
    if (!e.gap) {
        o.insert(QStringLiteral("level_text"), distanceText(e.output, locale));
        // Left out while the lamp says nothing yet, as the command line leaves it blank.
        if (lamp)
            o.insert(QStringLiteral("stability"), lampWord(*lamp));
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
