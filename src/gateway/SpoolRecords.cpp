#include "SpoolRecords.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <map>

namespace SpoolRecords
{
namespace
{
constexpr char kReading = 'R';
constexpr char kSettledThrough = 'D';
constexpr char kSettled = 'X';
constexpr int kSeqBytes = 8;

template <typename T> void put(QByteArray &out, T value)
{
    const T le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

template <typename T> T take(const char *at)
{
    return qFromLittleEndian<T>(at);
}

QByteArray framed(const QByteArray &body)
{
    QByteArray out;
    out.reserve(kFrameBytes + body.size());
    put<quint32>(out, quint32(body.size()));
    put<quint32>(out, crc32(body));
    return out + body;
}

QByteArray marker(char kind, quint64 seq)
{
    QByteArray body(1, kind);
    put<quint64>(body, seq);
    return framed(body);
}

const std::array<quint32, 256> &crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}
} // namespace

quint32 crc32(const QByteArray &bytes)
{
    const std::array<quint32, 256> &table = crcTable();
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes)
        c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray reading(quint64 seq, const MqttMessage &message)
{
    QByteArray body(1, kReading);
    put<quint64>(body, seq);
    put<quint16>(body, quint16(message.topic.size()));
    body += message.topic;
    body += message.payload;
    return framed(body);
}

QByteArray settledThrough(quint64 seq)
{
    return marker(kSettledThrough, seq);
}

QByteArray settled(quint64 seq)
{
    return marker(kSettled, seq);
}

std::optional<Contents> read(const QByteArray &bytes)
{
    Contents out;
    const QByteArray header = QByteArray::fromRawData(kHeader, kHeaderBytes);
    if (bytes.size() < kHeaderBytes)
        return header.startsWith(bytes) ? std::optional<Contents>(out) : std::nullopt;
    if (!bytes.startsWith(header))
        return std::nullopt;

    std::map<quint64, Pending> pending;
    qint64 at = kHeaderBytes;
    while (bytes.size() - at >= kFrameBytes) {
        const quint32 length = take<quint32>(bytes.constData() + at);
        const quint32 crc = take<quint32>(bytes.constData() + at + 4);
        if (length < 1 + kSeqBytes || length > quint32(kMaxBodyBytes) ||
            qint64(length) > bytes.size() - at - kFrameBytes)
            break;
        const QByteArray body = bytes.mid(at + kFrameBytes, int(length));
        if (crc32(body) != crc)
            break;
        const char kind = body.at(0);
        const quint64 seq = take<quint64>(body.constData() + 1);
        const int record = kFrameBytes + int(length);
        if (kind == kReading) {
            const int topicAt = 1 + kSeqBytes + 2;
            if (body.size() < topicAt)
                break;
            const int topicLength = take<quint16>(body.constData() + 1 + kSeqBytes);
            if (body.size() < topicAt + topicLength)
                break;
            MqttMessage m{body.mid(topicAt, topicLength), body.mid(topicAt + topicLength), false};
            pending[seq] = {seq, m, at, record};
        } else if (kind == kSettledThrough) {
            pending.erase(pending.begin(), pending.upper_bound(seq));
        } else if (kind == kSettled) {
            pending.erase(seq);
        } else {
            break;
        }
        out.nextSeq = std::max(out.nextSeq, seq + 1);
        at += record;
    }
    out.intactBytes = at;
    for (auto &p : pending)
        out.pending.push_back(std::move(p.second));
    return out;
}
} // namespace SpoolRecords
