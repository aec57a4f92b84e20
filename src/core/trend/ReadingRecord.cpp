#include "ReadingRecord.h"

#include "Measurements.h"
#include "ReadingsCsv.h"

namespace levelconf
{

namespace
{
void addMeasured(const TrendEntry &e, const DataReadings &r, const QLocale &locale, bool gatewayToo,
                 QJsonObject *o)
{
    // A gap has no readings, whatever the answer held before it failed.
    if (e.gap)
        return;
    const MeasuredReading m{e, r, locale};
    for (const Measurement &row : measurements()) {
        if (!row.record && !gatewayToo)
            continue;
        const QJsonValue v = row.value(m);
        if (!v.isUndefined())
            o->insert(QLatin1String(row.key), v);
    }
}
} // namespace

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
    e.kind = outputKindOf(r.modeByte);
    e.temperature = static_cast<qint8>(r.temperature.value_or(0));
    e.lamp = lamp;
    e.range4096 = r.modeByte && (*r.modeByte & 0x80);
    return e;
}

void addReadingFields(const DataReadings &r, QJsonObject *o)
{
    const TrendEntry e = readingEntry(r, r.address.value_or(0), StabilityLamp::Yellow, {});
    addMeasured(e, r, QLocale::c(), false, o);
}

QJsonObject readingJson(const TrendEntry &e, const DataReadings &r)
{
    QJsonObject o{{QStringLiteral("time"), isoLocalTime(e.msecs, e.utcOffset)},
                  {QStringLiteral("address"), e.address}};
    addMeasured(e, r, QLocale::c(), false, &o);
    return o;
}

QJsonObject measuredValues(const TrendEntry &e, const DataReadings &r, const QLocale &locale)
{
    QJsonObject o;
    addMeasured(e, r, locale, true, &o);
    return o;
}

} // namespace levelconf
