#pragma once

#include "Tone.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

// Sine tones on the default ALSA device, played one after another on a worker thread so
// that the window never waits for them. No sound device means silence, never an error.
class AlsaTone : public Tone
{
public:
    AlsaTone();
    ~AlsaTone() override;
    AlsaTone(const AlsaTone &) = delete;
    AlsaTone &operator=(const AlsaTone &) = delete;

    void Beep(int frequencyHz, int durationMs) override;

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<int, int>> m_queue;
    bool m_stop = false;
    std::thread m_worker;
};

// One tone as signed 16-bit mono samples at `rate`, with short fades against clicks.
std::deque<short> sineSamples(int frequencyHz, int durationMs, int rate);
