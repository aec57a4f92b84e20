#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace levelconf
{

// Request and answer frames: prefix, address, code, [write key], data, CRC-8.
// CRC-8 is the Dallas/Maxim one (reflected polynomial 0x8C, initial 0, no final XOR).

// One CRC-8 step: feeds `data` into the running value `cr` and returns the new one.
quint8 crc(quint8 data, quint8 cr);

// CRC-8 of all bytes of `s`, starting from 0.
quint8 crc8(const QByteArray &s);

// `sstr` with its CRC-8 appended.
QByteArray withCrc(const QByteArray &sstr);

// 32-bit value as 4 bytes, most significant first.
QByteArray bigEndian32(quint32 num);

// The three bytes that unlock setting-changing requests on firmware 1.7.5 and newer.
QByteArray writeKey();

// Whether a local setting-changing request to a sensor with this firmware code carries
// the write key.
bool needsWriteKey(int fwVersion);

// A complete request frame: 31, address, code, the key when asked for, data, CRC-8.
QByteArray buildRequest(quint8 address, quint8 code, bool withKey, const QByteArray &data = {});

// The network search request 31 FF CRC.
QByteArray searchRequest();
// Its answer is one address byte a sensor. More than a bus can hold in addresses is noise,
// not a list of sensors.
constexpr int kSearchAnswerLimit = 20;

// True when `answer` is at least 2 bytes and its last byte is the CRC-8 of the others.
bool answerCrcMatches(const QByteArray &answer);

// A framed answer starts with 3E and is at least 4 bytes; anything else is a search
// answer or garbage.
bool isFramedAnswer(const QByteArray &answer);

// 16-bit two's complement, high byte first (level shifts, air temperature).
QByteArray int16BigEndian(qint16 value);

} // namespace levelconf
