#pragma once

#include <QString>
#include <optional>

namespace levelconf
{

// Line settings written the way the port settings have always been written here:
// "19200,n,8,1" is baud rate, parity letter, data bits and stop bits.
struct LineSettings {
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    qint32 baud = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
};

// Reads a settings text; nothing when any of its four fields is not understood.
std::optional<LineSettings> parseLineSettings(const QString &text);

} // namespace levelconf
