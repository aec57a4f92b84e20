#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace levelconf
{

// The sensor's resident boot loader speaks bytes, not the sensor's framed protocol: the
// host sends 7F until the loader answers, every command is a code and its complement, and
// the loader answers every frame with one byte, 79 for yes or 1F for no.
namespace Loader
{
constexpr quint8 kSync = 0x7F;
constexpr quint8 kAck = 0x79;
constexpr quint8 kRefused = 0x1F;

constexpr quint8 kErase = 0x43;
constexpr quint8 kWriteMemory = 0x31;
constexpr quint8 kGo = 0x21;

// What an erase command is told to erase, sent as a code and its complement as well.
constexpr quint8 kEraseEverything = 0xFF;
constexpr quint8 kEraseDataEeprom = 0xEE;

// Most bytes one data frame carries.
constexpr int kMaxData = 256;
} // namespace Loader

// XOR of all bytes of `bytes`, starting from `seed`.
quint8 xorOf(const QByteArray &bytes, quint8 seed = 0);

// A command code or erase argument followed by its complement: 43 BC, 31 CE, 21 DE,
// FF 00, EE 11.
QByteArray codeFrame(quint8 code);

// The 32-bit address, most significant byte first, and the XOR of its four bytes.
QByteArray addressFrame(quint32 address);

// The byte count less one, the bytes, and the XOR of both: 00 D D for one byte, 7F and
// 128 bytes and the checksum for a block. Empty for no bytes or more than 256, which no
// frame can carry.
QByteArray dataFrame(const QByteArray &data);

} // namespace levelconf
