#include "WireClock.h"

#include <algorithm>

namespace
{
constexpr long long kBitsPerByte = 10; // start bit, 8 data bits, stop bit
constexpr long long kNanosPerSecond = 1000000000;
} // namespace

WireClock::WireClock(int baud)
{
    if (baud > 0)
        m_byteTime = LineTime(kBitsPerByte * kNanosPerSecond / baud);
}

LineTime WireClock::carry(LineTime handed)
{
    m_busyUntil = std::max(handed, m_busyUntil) + m_byteTime;
    return m_busyUntil;
}
