#include "PollAnswers.h"

#include "core/protocol/AnswerCheck.h"
#include "core/protocol/CommandCodes.h"
#include "core/sensor/IdentityAnswer.h"

#include <algorithm>

using namespace levelconf;

std::optional<SensorIdentity> identityFromAnswer(const QByteArray &answer, quint8 address)
{
    if (!answerAccepted(answer, {address, Cmd::ReadIdentity, std::nullopt}))
        return std::nullopt;
    const IdentityAnswer id = decodeIdentityAnswer(answer);
    if (!id.serial || !id.versionCode)
        return std::nullopt;
    return SensorIdentity{*id.serial, *id.versionCode, id.versionPrefix};
}

std::optional<DataReadings> readingsFromAnswer(const QByteArray &answer, quint8 address,
                                               int fwVersion)
{
    if (!answerAccepted(answer, {address, Cmd::ReadData, capabilitiesOf(fwVersion)}))
        return std::nullopt;
    DataReadings r = decodeDataAnswer(answer, true);
    if (!r.output)
        return std::nullopt;
    return r;
}

std::vector<quint8> searchCandidates(const QByteArray &answer)
{
    std::vector<quint8> out;
    for (const char c : answer) {
        const auto a = static_cast<quint8>(c);
        // 255 is the search's own address, never a sensor's.
        if (a != 0xFF && std::find(out.begin(), out.end(), a) == out.end())
            out.push_back(a);
    }
    return out;
}
