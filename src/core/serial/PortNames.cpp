#include "PortNames.h"

#include <algorithm>

namespace levelconf
{

namespace
{
// Length of the run of digits (or of non-digits) that starts at `from`.
int runLength(const QString &s, int from)
{
    const bool digits = s.at(from).isDigit();
    int end = from;
    while (end < s.size() && s.at(end).isDigit() == digits)
        ++end;
    return end - from;
}

// Compares two runs of digits by value, without converting them (they may be long).
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == QLatin1Char('0'))
        a = a.mid(1);
    while (b.size() > 1 && b.front() == QLatin1Char('0'))
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}
} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        const int ra = runLength(a, i);
        const int rb = runLength(b, j);
        const QStringView va = QStringView(a).mid(i, ra);
        const QStringView vb = QStringView(b).mid(j, rb);
        int c = 0;
        if (a.at(i).isDigit() && b.at(j).isDigit())
            c = compareNumbers(va, vb);
        else
            c = va.compare(vb, Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        i += ra;
        j += rb;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    return a < b; // same up to case and leading zeros: any fixed order will do
}

QStringList sortPortNames(QStringList names)
{
    std::sort(names.begin(), names.end(), naturalLess);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    if (names.size() > kMaxListedPorts)
        names.erase(names.begin() + kMaxListedPorts, names.end());
    return names;
}

bool isDevicePath(const QString &item)
{
    return item.contains(QLatin1Char('/')) || item.contains(QLatin1Char('\\'));
}

QString deviceNameFor(const QString &item, bool windows)
{
    if (isDevicePath(item))
        return item;
    return windows ? QStringLiteral("\\\\.\\") + item : QStringLiteral("/dev/") + item;
}

} // namespace levelconf
