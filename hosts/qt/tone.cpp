#include "hosts/qt/tone.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>
#include <thread>
#include <vector>

namespace tavrin::qt {
namespace {

constexpr unsigned kRate = 44100;

// ALSA's library prints its own complaints for every failed open; one line
// of ours is enough.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

} // namespace

Tone::~Tone() { close(); }

bool Tone::open() {
    if (pcm_)
        return true;
    snd_lib_error_set_handler(quietAlsa);
    // Opened without blocking: a device held by someone else must not hang the clock.
    int err = snd_pcm_open(&pcm_, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (err >= 0) {
        snd_pcm_nonblock(pcm_, 0);
        err = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1, 100000);
    }
    if (err < 0) {
        if (!complained_)
            std::fprintf(stderr, "tavrin: no sound device (%s); tones stay silent\n", snd_strerror(err));
        complained_ = true;
        close();
        return false;
    }
    return true;
}

void Tone::close() {
    if (pcm_)
        snd_pcm_close(pcm_);
    pcm_ = nullptr;
}

bool Tone::write(int frequencyHz, int durationMs) {
    const auto frames = std::size_t(std::int64_t(kRate) * durationMs / 1000);
    std::vector<std::int16_t> samples(frames);
    // A few milliseconds of fade at each end keep the tone from clicking.
    const std::size_t fade = std::min<std::size_t>(kRate / 200, frames / 2);
    const double step = 2 * std::numbers::pi * frequencyHz / kRate;
    for (std::size_t i = 0; i < frames; ++i) {
        double gain = 0.3;
        if (i < fade)
            gain *= double(i) / fade;
        else if (frames - i <= fade)
            gain *= double(frames - i) / fade;
        samples[i] = std::int16_t(std::lround(32767 * gain * std::sin(step * double(i))));
    }
    std::size_t done = 0;
    while (done < frames) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm_, samples.data() + done, frames - done);
        if (n < 0)
            n = snd_pcm_recover(pcm_, int(n), 1);
        if (n < 0)
            return false;
        done += std::size_t(n);
    }
    if (snd_pcm_drain(pcm_) < 0)
        return false;
    snd_pcm_prepare(pcm_); // ready for the next tone without reopening
    return true;
}

void Tone::play(int frequencyHz, int durationMs) {
    if (durationMs <= 0)
        return;
    const auto start = std::chrono::steady_clock::now();
    // Frequencies past what the device can carry are silence too.
    if (frequencyHz > 0 && frequencyHz < int(kRate / 2) && open() && !write(frequencyHz, durationMs))
        close();
    const auto length = std::chrono::milliseconds(durationMs);
    const auto spent = std::chrono::steady_clock::now() - start;
    if (spent < length)
        std::this_thread::sleep_for(length - spent);
}

} // namespace tavrin::qt
