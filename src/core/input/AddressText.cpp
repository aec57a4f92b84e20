#include "AddressText.h"

namespace levelconf
{

std::optional<quint8> addressFromText(QStringView text, int highest)
{
    const QStringView digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = 10 * value + (c.unicode() - '0');
        if (value > highest)
            return std::nullopt;
    }
    return static_cast<quint8>(value);
}

} // namespace levelconf
