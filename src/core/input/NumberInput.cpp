#include "NumberInput.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace levelconf
{

std::optional<double> parseNumber(const QString &text, const QLocale &locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint64> roundToWidth(double value, NumWidth width)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the current rounding mode; the default one rounds halves to even.
    const int oldMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(oldMode);
    double lo = 0, hi = 0;
    switch (width) {
    case NumWidth::Byte:
        lo = 0;
        hi = 255;
        break;
    case NumWidth::Int16:
        lo = std::numeric_limits<qint16>::min();
        hi = std::numeric_limits<qint16>::max();
        break;
    case NumWidth::Int32:
        lo = std::numeric_limits<qint32>::min();
        hi = std::numeric_limits<qint32>::max();
        break;
    }
    if (r < lo || r > hi)
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<qint64> toWhole(const QString &text, NumWidth width, const QLocale &locale)
{
    const auto v = parseNumber(text, locale);
    if (!v)
        return std::nullopt;
    return roundToWidth(*v, width);
}

QString localizedDecimal(const QString &commaText, const QLocale &locale)
{
    QString out = commaText;
    out.replace(QLatin1Char(','), locale.decimalPoint());
    return out;
}

} // namespace levelconf
