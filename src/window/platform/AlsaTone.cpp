#include "AlsaTone.h"

#include <alsa/asoundlib.h>
#include <cmath>
#include <vector>

namespace
{
constexpr int kRate = 44100;

void play(int frequencyHz, int durationMs)
{
    snd_pcm_t *pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           50000) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const auto samples = sineSamples(frequencyHz, durationMs, kRate);
    std::vector<short> buf(samples.begin(), samples.end());
    snd_pcm_sframes_t done = 0;
    const auto total = static_cast<snd_pcm_sframes_t>(buf.size());
    while (done < total) {
        snd_pcm_sframes_t n =
            snd_pcm_writei(pcm, buf.data() + done, static_cast<snd_pcm_uframes_t>(total - done));
        if (n < 0)
            n = snd_pcm_recover(pcm, static_cast<int>(n), 1);
        if (n < 0)
            break;
        done += n;
    }
    snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}
} // namespace

std::deque<short> sineSamples(int frequencyHz, int durationMs, int rate)
{
    std::deque<short> out;
    if (frequencyHz <= 0 || durationMs <= 0 || rate <= 0)
        return out;
    const int n = static_cast<int>(static_cast<long long>(rate) * durationMs / 1000);
    const int fade = std::min(n / 2, rate / 200); // 5 ms
    for (int i = 0; i < n; ++i) {
        double gain = 0.4;
        if (i < fade)
            gain *= static_cast<double>(i) / fade;
        else if (i >= n - fade)
            gain *= static_cast<double>(n - 1 - i) / fade;
        const double s = std::sin(2.0 * M_PI * frequencyHz * i / rate);
        out.push_back(static_cast<short>(std::lround(gain * 32767.0 * s)));
    }
    return out;
}

AlsaTone::AlsaTone() : TonePlayer(&play) {}

std::unique_ptr<Tone> makeSystemTone()
{
    return std::make_unique<AlsaTone>();
}
