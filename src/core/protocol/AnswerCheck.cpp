#include "AnswerCheck.h"

#include "AnswerLength.h"
#include "CommandCodes.h"
#include "FrameCodec.h"

namespace levelconf
{

namespace
{
QString hexByte(quint8 b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

bool answerAccepted(const QByteArray &answer, const AwaitedAnswer &awaited)
{
    if (!isFramedAnswer(answer) || !answerCrcMatches(answer))
        return false;
    const auto address = static_cast<quint8>(answer.at(1));
    const auto code = static_cast<quint8>(answer.at(2));
    if ((awaited.address && address != *awaited.address) || (awaited.code && code != *awaited.code))
        return false;
    // The data and mode answers grew with the firmware: without it, no length is theirs.
    const bool byFirmware = code == Cmd::ReadData || code == Cmd::SetMode;
    if (!awaited.firmware && byFirmware)
        return true;
    const std::optional<int> length =
        expectedAnswerLength(code, awaited.firmware.value_or(capabilitiesOf(0)));
    return !length || answer.size() == *length;
}

QString answerCheckText(const QByteArray &answer)
{
    const auto received = static_cast<quint8>(answer.isEmpty() ? 0 : answer.back());
    return QStringLiteral("%1 bytes, CRC received %2, computed %3")
        .arg(answer.size())
        .arg(hexByte(received), hexByte(crc8(answer.left(answer.size() - 1))));
}

} // namespace levelconf
