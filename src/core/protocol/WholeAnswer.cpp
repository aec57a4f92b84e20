#include "WholeAnswer.h"

#include "CommandCodes.h"
#include "FirmwareCapabilities.h"
#include "FrameCodec.h"

namespace
{
// Serial number, version code and prefix between the code and the CRC.
constexpr int kIdentityAnswerLength = 10;
} // namespace

std::optional<int> expectedAnswerLength(quint8 code, int fwVersion)
{
    if (code == Cmd::ReadData)
        return capabilitiesOf(fwVersion).dataAnswerLength;
    if (code == Cmd::ReadIdentity)
        return kIdentityAnswerLength;
    return std::nullopt;
}

bool isWholeAnswer(const QByteArray &answer, quint8 address, quint8 code, int length)
{
    return answer.size() == length && isFramedAnswer(answer) &&
           static_cast<quint8>(answer.at(1)) == address &&
           static_cast<quint8>(answer.at(2)) == code && answerCrcMatches(answer);
}
