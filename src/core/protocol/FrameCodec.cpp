#include "FrameCodec.h"

#include "CommandCodes.h"
#include "FirmwareCapabilities.h"

namespace levelconf
{

namespace
{
// Contribution of each bit of (data XOR crc) to the next value; the same results as
// the bitwise reflected algorithm and the usual 256-entry table.
constexpr quint8 kBitTable[8] = {0x5E, 0xBC, 0x61, 0xC2, 0x9D, 0x23, 0x46, 0x8C};

// Arbitrary but fixed; the sensors built for this program expect exactly these bytes.
constexpr quint8 kWriteKey[3] = {0xA5, 0x5A, 0xC3};
} // namespace

quint8 crc(quint8 data, quint8 cr)
{
    const quint8 f = data ^ cr;
    quint8 r = 0;
    for (int i = 0; i < 8; ++i) {
        if (f & (1u << i))
            r ^= kBitTable[i];
    }
    return r;
}

quint8 crc8(const QByteArray &s)
{
    quint8 r = 0;
    for (char c : s)
        r = crc(static_cast<quint8>(c), r);
    return r;
}

QByteArray withCrc(const QByteArray &sstr)
{
    QByteArray out = sstr;
    out.append(static_cast<char>(crc8(sstr)));
    return out;
}

QByteArray bigEndian32(quint32 num)
{
    QByteArray out(4, '\0');
    for (int i = 3; i >= 0; --i) {
        out[i] = static_cast<char>(num % 256);
        num /= 256;
    }
    return out;
}

QByteArray writeKey()
{
    return QByteArray(reinterpret_cast<const char *>(kWriteKey), 3);
}

bool needsWriteKey(int fwVersion)
{
    return capabilitiesOf(fwVersion).writeKey;
}

QByteArray buildRequest(quint8 address, quint8 code, bool withKey, const QByteArray &data)
{
    QByteArray frame;
    frame.reserve(6 + data.size());
    frame.append(static_cast<char>(Cmd::RequestPrefix));
    frame.append(static_cast<char>(address));
    frame.append(static_cast<char>(code));
    if (withKey)
        frame.append(writeKey());
    frame.append(data);
    return withCrc(frame);
}

QByteArray searchRequest()
{
    QByteArray frame;
    frame.append(static_cast<char>(Cmd::RequestPrefix));
    frame.append(static_cast<char>(Cmd::SearchAddress));
    return withCrc(frame);
}

bool answerCrcMatches(const QByteArray &answer)
{
    if (answer.size() < 2)
        return false;
    return crc8(answer.left(answer.size() - 1)) == static_cast<quint8>(answer.back());
}

bool isFramedAnswer(const QByteArray &answer)
{
    return answer.size() >= 4 && static_cast<quint8>(answer.at(0)) == Cmd::AnswerPrefix;
}

QByteArray int16BigEndian(qint16 value)
{
    const auto u = static_cast<quint16>(value);
    QByteArray out;
    out.append(static_cast<char>(u >> 8));
    out.append(static_cast<char>(u & 0xFF));
    return out;
}

} // namespace levelconf
