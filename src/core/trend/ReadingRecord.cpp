#include "ReadingRecord.h"

#include "ReadingsCsv.h"

TrendEntry readingEntry(const DataReadings &r, quint8 address, StabilityLamp lamp,
                        const QDateTime &now)
{
    TrendEntry e;
    e.msecs = now.toMSecsSinceEpoch();
    e.utcOffset = now.offsetFromUtc();
    e.address = address;
    e.gap = !r.output;
    if (e.gap)
        return e;
    e.amplitude = r.amplitude.value_or(0);
    e.output = *r.output;
    e.temperature = static_cast<qint8>(r.temperature.value_or(0));
    e.lamp = lamp;
    e.range4096 = r.modeByte && (*r.modeByte & 0x80);
    return e;
}

void addReadingFields(const DataReadings &r, QJsonObject *o)
{
    if (r.emptyValue)
        o->insert(QStringLiteral("empty"), qint64(*r.emptyValue));
    if (r.fullValue)
        o->insert(QStringLiteral("full"), qint64(*r.fullValue));
    if (r.output)
        o->insert(QStringLiteral("distance_cm"), *r.output / 10.0);
    if (r.amplitude)
        o->insert(QStringLiteral("amplitude"), qint64(*r.amplitude));
    if (r.temperature)
        o->insert(QStringLiteral("temperature_C"), *r.temperature);
}

QJsonObject readingJson(const TrendEntry &e, const DataReadings &r)
{
    QJsonObject o{{QStringLiteral("time"), isoLocalTime(e.msecs, e.utcOffset)},
                  {QStringLiteral("address"), e.address}};
    if (e.gap)
        return o;
    addReadingFields(r, &o);
    o.insert(QStringLiteral("frequency_Hz"), int(e.output) + 300);
    o.insert(QStringLiteral("analog_V"), analogVolts(e.output, e.range4096));
    return o;
}
