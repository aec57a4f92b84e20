#pragma once

#include <chrono>

// Time on the simulated line, from an arbitrary epoch (the simulator uses the steady
// clock's).
using LineTime = std::chrono::nanoseconds;

// One direction of a serial line at a fixed baud rate with 8N1 framing: each byte takes
// ten bit times, and bytes handed over while the line is still busy follow one another.
// A pseudo-terminal delivers a whole write at once; this says when each byte would really
// have been across. Baud 0 is a line that takes no time at all.
class WireClock
{
public:
    explicit WireClock(int baud = 0);

    LineTime byteTime() const { return m_byteTime; }
    // The moment a byte handed to the line at `handed` has been carried across it; the
    // line is busy until then.
    LineTime carry(LineTime handed);
    LineTime busyUntil() const { return m_busyUntil; }

private:
    LineTime m_byteTime{0};
    LineTime m_busyUntil{0};
};
