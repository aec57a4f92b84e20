#pragma once

#include "Tone.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

// Tones played one after another on a worker thread, so that the window never waits for
// them. `play` sounds one tone and returns when it has ended; it runs on the worker.
class TonePlayer : public Tone
{
public:
    using Play = std::function<void(int frequencyHz, int durationMs)>;

    explicit TonePlayer(Play play);
    ~TonePlayer() override;
    TonePlayer(const TonePlayer &) = delete;
    TonePlayer &operator=(const TonePlayer &) = delete;

    void Beep(int frequencyHz, int durationMs) override;

private:
    void run();

    Play m_play;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<int, int>> m_queue;
    bool m_stop = false;
    std::thread m_worker;
};

// The tone of the system the program runs on: ALSA on Linux, the system's beep on Windows.
std::unique_ptr<Tone> makeSystemTone();
