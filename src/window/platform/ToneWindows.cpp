// The tone on Windows: the system's own beep, which plays the tone and returns when it has
// ended, on the player's worker thread. Without a sound device it is silent.
#include "TonePlayer.h"

#include <windows.h>

std::unique_ptr<Tone> makeSystemTone()
{
    return std::make_unique<TonePlayer>([](int frequencyHz, int durationMs) {
        // The system takes 37 to 32767 Hz.
        if (frequencyHz >= 37 && frequencyHz <= 32767 && durationMs > 0)
            ::Beep(DWORD(frequencyHz), DWORD(durationMs));
    });
}
