#pragma once

#include <QByteArray>
#include <optional>

namespace levelconf
{

// Frames are byte-strings whose positions count from 1, as the sensor documentation
// and every decoder count them. These helpers never read past the end: a position
// outside the string yields "nothing" and the caller decides what that means.

// Byte at 1-based position `pos`, or nothing when the string is shorter.
inline std::optional<quint8> byteAt(const QByteArray &s, int pos)
{
    if (pos < 1 || pos > s.size())
        return std::nullopt;
    return static_cast<quint8>(s.at(pos - 1));
}

// Unsigned little-endian value of `width` bytes starting at 1-based `pos`.
inline std::optional<quint32> leValue(const QByteArray &s, int pos, int width)
{
    if (pos < 1 || width < 1 || width > 4 || pos + width - 1 > s.size())
        return std::nullopt;
    quint32 v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(s.at(pos - 1 + i));
    return v;
}

// Unsigned big-endian 16-bit value at 1-based `pos` (calibration table, frequency answer).
inline std::optional<quint16> beValue16(const QByteArray &s, int pos)
{
    if (pos < 1 || pos + 1 > s.size())
        return std::nullopt;
    return static_cast<quint16>((static_cast<quint8>(s.at(pos - 1)) << 8) |
                                static_cast<quint8>(s.at(pos)));
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    out.reserve(static_cast<int>(values.size()));
    for (int v : values)
        out.append(static_cast<char>(v & 0xFF));
    return out;
}

} // namespace levelconf
