#include "AnswerCheck.h"

#include "FrameCodec.h"

namespace
{
QString hexByte(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString answerCheckText(const QByteArray &answer)
{
    const auto received = static_cast<quint8>(answer.isEmpty() ? 0 : answer.back());
    return QStringLiteral("%1 bytes, CRC received %2, computed %3")
        .arg(answer.size())
        .arg(hexByte(received), hexByte(crc8(answer.left(answer.size() - 1))));
}
