#include "NumberText.h"

namespace
{
bool allDigits(QStringView digits, int base)
{
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        const bool decimal = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const QChar l = c.toLower();
        const bool hex = l >= QLatin1Char('a') && l <= QLatin1Char('f');
        if (!decimal && !(base == 16 && hex))
            return false;
    }
    return true;
}
} // namespace

std::optional<qint64> wholeNumber(const QString &text)
{
    QStringView t = QStringView(text).trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    // The digits are checked here: the toolkit's own parser would take a second "0x" or
    // a blank after the sign.
    if (!allDigits(t, base))
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    return negative ? -v : v;
}
