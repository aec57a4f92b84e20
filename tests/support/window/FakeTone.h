#pragma once

#include "window/platform/Tone.h"

#include <QList>
#include <QPair>

// Records every tone instead of playing it.
class FakeTone : public Tone
{
public:
    QList<QPair<int, int>> beeps; // (Hz, ms)
    void Beep(int frequencyHz, int durationMs) override { beeps.append({frequencyHz, durationMs}); }
};
