#include "Faults.h"

#include "Answers.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FrameCodec.h"

#include <array>

using namespace levelconf;

namespace
{
struct Named {
    Fault fault;
    const char *name;
};
constexpr std::array<Named, 7> kNames{{{Fault::None, "none"},
                                       {Fault::Silent, "silent"},
                                       {Fault::BadCrc, "bad-crc"},
                                       {Fault::FrequencyMode, "freq"},
                                       {Fault::Garbage, "garbage"},
                                       {Fault::ShortData, "short"},
                                       {Fault::WrongCode, "wrong-code"}}};

// Not a code of any request or answer.
constexpr quint8 kUnknownCode = 0x55;
// Bytes of line noise; the first is not an answer prefix.
const QByteArray kNoise = QByteArray::fromHex("00a55aff13c37e");
// A data answer cut after the temperature, output code and amplitude, and half the empty
// value: enough to show readings, too short to decode.
constexpr int kShortDataLength = 12;

bool isFramed(const QByteArray &answer)
{
    return answer.size() >= 4 && quint8(answer.at(0)) == Cmd::AnswerPrefix;
}

QByteArray reframed(QByteArray answer)
{
    answer.chop(1);
    return withCrc(answer);
}
} // namespace

QString faultName(Fault fault)
{
    for (const Named &n : kNames) {
        if (n.fault == fault)
            return QString::fromLatin1(n.name);
    }
    return QString();
}

std::optional<Fault> faultFromName(const QString &name)
{
    for (const Named &n : kNames) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.fault;
    }
    return std::nullopt;
}

QStringList faultNames()
{
    QStringList out;
    for (const Named &n : kNames)
        out.append(QString::fromLatin1(n.name));
    return out;
}

QByteArray applyFault(Fault fault, const QByteArray &answer, quint16 hertz)
{
    switch (fault) {
    case Fault::None:
        return answer;
    case Fault::Silent:
        return {};
    case Fault::Garbage:
        return answer.isEmpty() ? answer : kNoise;
    default:
        break;
    }
    if (!isFramed(answer))
        return answer; // the search answer has no frame to spoil
    const quint8 address = quint8(answer.at(1));
    switch (fault) {
    case Fault::BadCrc: {
        QByteArray out = answer;
        out.back() = char(quint8(out.back()) ^ 0xFF);
        return out;
    }
    case Fault::FrequencyMode:
        return frequencyAnswer(address, hertz);
    case Fault::ShortData:
        if (quint8(answer.at(2)) != Cmd::ReadData || answer.size() <= kShortDataLength)
            return answer;
        return reframed(answer.left(kShortDataLength));
    case Fault::WrongCode: {
        QByteArray out = answer;
        out[2] = char(kUnknownCode);
        return reframed(out);
    }
    default:
        return answer;
    }
}
