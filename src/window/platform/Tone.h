#pragma once

// Short signal tones: 1000 Hz for 100 ms marks a confirmed setting, 400 Hz for 800 ms a
// wrong password or a wrong answer.
class Tone
{
public:
    virtual ~Tone() = default;
    virtual void Beep(int frequencyHz, int durationMs) = 0;
};
