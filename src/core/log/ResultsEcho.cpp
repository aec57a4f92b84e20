#include "ResultsEcho.h"

namespace levelconf
{

QString printableFrame(const QByteArray &s)
{
    QString out;
    for (char c : s) {
        const auto b = static_cast<quint8>(c);
        if (b == 0x5D)
            out += QStringLiteral("<ACK>");
        else if (b == 0x5B)
            out += QStringLiteral("<NAK>");
        else if (b >= 0x30)
            out += QChar(b);
        else if (b == 0x0D)
            out += QStringLiteral("<CR>");
        else if (b == 0x0A)
            out += QStringLiteral("<LF>");
        else
            out += QLatin1Char('@');
    }
    return out;
}

QString echoText(const QByteArray &s)
{
    QString out;
    for (char c : s)
        out += QString::number(static_cast<quint8>(c), 16).toUpper() + QLatin1Char(' ');
    return out + QStringLiteral("\r\n\r\n") + printableFrame(s);
}

} // namespace levelconf
