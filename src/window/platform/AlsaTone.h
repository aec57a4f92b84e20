#pragma once

#include "TonePlayer.h"

#include <deque>

// Sine tones on the default ALSA device, played on the player's worker thread. No sound
// device means silence, never an error.
class AlsaTone : public TonePlayer
{
public:
    AlsaTone();
};

// One tone as signed 16-bit mono samples at `rate`, with short fades against clicks.
std::deque<short> sineSamples(int frequencyHz, int durationMs, int rate);
