#include "LineSettings.h"

#include <QStringList>

namespace levelconf
{

namespace
{
std::optional<LineSettings::Parity> parityOf(const QString &field)
{
    if (field.size() != 1)
        return std::nullopt;
    switch (field.at(0).toLower().toLatin1()) {
    case 'n':
        return LineSettings::Parity::None;
    case 'e':
        return LineSettings::Parity::Even;
    case 'o':
        return LineSettings::Parity::Odd;
    case 'm':
        return LineSettings::Parity::Mark;
    case 's':
        return LineSettings::Parity::Space;
    default:
        return std::nullopt;
    }
}

std::optional<LineSettings::StopBits> stopBitsOf(const QString &field)
{
    if (field == QLatin1String("1"))
        return LineSettings::StopBits::One;
    if (field == QLatin1String("1.5"))
        return LineSettings::StopBits::OneAndHalf;
    if (field == QLatin1String("2"))
        return LineSettings::StopBits::Two;
    return std::nullopt;
}
} // namespace

std::optional<LineSettings> parseLineSettings(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;

    LineSettings out;
    bool ok = false;
    out.baud = fields.at(0).trimmed().toInt(&ok);
    if (!ok || out.baud <= 0)
        return std::nullopt;

    const auto parity = parityOf(fields.at(1).trimmed());
    if (!parity)
        return std::nullopt;
    out.parity = *parity;

    out.dataBits = fields.at(2).trimmed().toInt(&ok);
    if (!ok || out.dataBits < 5 || out.dataBits > 8)
        return std::nullopt;

    const auto stop = stopBitsOf(fields.at(3).trimmed());
    if (!stop)
        return std::nullopt;
    out.stopBits = *stop;
    return out;
}

} // namespace levelconf
