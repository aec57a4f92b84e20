#include "TonePlayer.h"

namespace
{
constexpr int kMaxQueued = 8; // a burst of confirmations must not queue minutes of sound
}

TonePlayer::TonePlayer(Play play) : m_play(std::move(play)), m_worker([this] { run(); }) {}

TonePlayer::~TonePlayer()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    m_worker.join();
}

void TonePlayer::Beep(int frequencyHz, int durationMs)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (static_cast<int>(m_queue.size()) >= kMaxQueued)
            return;
        m_queue.emplace_back(frequencyHz, durationMs);
    }
    m_wake.notify_one();
}

void TonePlayer::run()
{
    for (;;) {
        std::pair<int, int> tone;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop)
                return;
            tone = m_queue.front();
            m_queue.pop_front();
        }
        m_play(tone.first, tone.second);
    }
}
