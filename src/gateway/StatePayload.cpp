#include "StatePayload.h"

#include "core/trend/ReadingRecord.h"
#include "core/trend/ReadingsCsv.h"

#include <QJsonDocument>

QByteArray statePayload(const DataReadings &readings, quint8 address, StabilityLamp lamp,
                        const QDateTime &time, const QLocale &locale)
{
    const TrendEntry e = readingEntry(readings, address, lamp, time);
    QJsonObject o = readingJson(e, readings);
    if (!e.gap) {
        o.insert(QStringLiteral("level_text"), distanceText(e.output, locale));
        o.insert(QStringLiteral("stability"), lampWord(lamp));
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
