#include "OptionChecks.h"

#include <QStringList>

namespace
{
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}
} // namespace

QString escapedText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!isControl(u)) {
            out += c;
        } else if (u == '\t') {
            out += QLatin1String("\\t");
        } else if (u == '\n') {
            out += QLatin1String("\\n");
        } else if (u == '\r') {
            out += QLatin1String("\\r");
        } else {
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        }
    }
    return out;
}

bool hasControlCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            return true;
    }
    return false;
}

bool isCleanUnicode(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar::ReplacementCharacter)
            return false;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

bool isTopicPrefix(const QString &prefix, int maxBytes)
{
    if (prefix.isEmpty() || hasControlCharacters(prefix) || !isCleanUnicode(prefix) ||
        prefix.toUtf8().size() > maxBytes)
        return false;
    for (const QString &level : prefix.split(QLatin1Char('/'))) {
        if (level.isEmpty() || level.contains(QLatin1Char('+')) || level.contains(QLatin1Char('#')))
            return false;
    }
    return true;
}
