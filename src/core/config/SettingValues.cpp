#include "SettingValues.h"

#include "core/input/NumberInput.h"

#include <optional>

namespace levelconf
{

namespace
{

AirValue checked(std::optional<qint64> scaled, qint64 lowest, qint64 highest)
{
    // A value that does not fit the request's 16 bits is refused as unreadable; it must
    // never wrap round into something that passes the range check.
    if (!scaled)
        return {};
    if (*scaled < lowest || *scaled > highest)
        return {AirValue::Check::OutOfRange, static_cast<qint16>(*scaled)};
    return {AirValue::Check::Ok, static_cast<qint16>(*scaled)};
}

} // namespace

AirValue airTemperature(const QString &text)
{
    const std::optional<double> t = parseNumber(text);
    return checked(t ? roundToWidth(*t * 100, NumWidth::Int16) : std::nullopt, -6000, 6000);
}

AirValue airPressure(const QString &text)
{
    // Whole hectopascal first, so 499.6 is taken as 500; the tenths travel as 0.
    const std::optional<qint64> whole = toWhole(text, NumWidth::Int16);
    std::optional<qint64> tenths;
    if (whole)
        tenths = roundToWidth(static_cast<double>(*whole) * 10, NumWidth::Int16);
    return checked(tenths, 5000, 12000);
}

AirValue airHumidity(const QString &text)
{
    return checked(toWhole(text, NumWidth::Int16), 1, 100);
}

quint8 secondModeByte(quint8 filtration, bool furtherObject, bool closestAndFurther)
{
    quint8 b = filtration;
    if (furtherObject)
        b |= 0x10;
    if (closestAndFurther)
        b |= 0x20;
    return b;
}

} // namespace levelconf
