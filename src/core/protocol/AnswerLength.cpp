#include "AnswerLength.h"

#include "FrameCodec.h"

bool answerIntact(const QByteArray &answer, const std::optional<FirmwareCapabilities> &caps)
{
    if (!isFramedAnswer(answer) || !answerCrcMatches(answer))
        return false;
    const auto code = static_cast<quint8>(answer.at(2));
    const bool byFirmware = code == Cmd::ReadData || code == Cmd::SetMode;
    if (!caps && byFirmware)
        return true;
    const std::optional<int> length = expectedAnswerLength(code, caps.value_or(capabilitiesOf(0)));
    return !length || answer.size() == *length;
}

bool isWholeAnswer(const QByteArray &answer, quint8 address, quint8 code, int length)
{
    return answer.size() == length && isFramedAnswer(answer) &&
           static_cast<quint8>(answer.at(1)) == address &&
           static_cast<quint8>(answer.at(2)) == code && answerCrcMatches(answer);
}
