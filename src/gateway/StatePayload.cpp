#include "StatePayload.h"

#include "core/trend/ReadingRecord.h"
#include "core/trend/ReadingsCsv.h"

#include <QJsonDocument>

using namespace levelconf;

QByteArray SensorState::payload() const
{
    QJsonObject o = values;
    o.insert(QStringLiteral("seq"), qint64(seq));
    o.insert(QStringLiteral("time"),
             isoLocalTime(time.toMSecsSinceEpoch(), time.offsetFromUtc(), true));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

SensorState sensorState(const DataReadings &readings, quint8 address,
                        std::optional<StabilityLamp> lamp, const QDateTime &time, quint64 seq,
                        const QLocale &locale)
{
    TrendEntry e = readingEntry(readings, address, lamp.value_or(StabilityLamp::Yellow), time);
    e.lampKnown = lamp.has_value();
    QJsonObject values = measuredValues(e, readings, locale);
    values.insert(QStringLiteral("address"), address);
    return {values, seq, time};
}
