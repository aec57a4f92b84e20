#include "RequestLine.h"

namespace levelconf
{

QString requestLine(const QByteArray &frame, int answerCount)
{
    // No separators between the bytes: every byte keeps its leading zero so that the hex
    // splits back into bytes two digits at a time.
    return QStringLiteral("S485=%1:%2:1500:19200:%3")
        .arg(frame.size())
        .arg(answerCount)
        .arg(QString::fromLatin1(frame.toHex().toUpper()));
}

} // namespace levelconf
