#include "hosts/qt/tone.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>

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

// The sound library is loaded at the first tone: most runs never beep, and
// a clock that runs all day should not carry it for nothing.
struct Alsa {
    decltype(&snd_lib_error_set_handler) set_error_handler = nullptr;
    decltype(&snd_pcm_open) open = nullptr;
    decltype(&snd_pcm_nonblock) nonblock = nullptr;
    decltype(&snd_pcm_set_params) set_params = nullptr;
    decltype(&snd_strerror) strerror = nullptr;
    decltype(&snd_pcm_close) close = nullptr;
    decltype(&snd_pcm_writei) writei = nullptr;
    decltype(&snd_pcm_recover) recover = nullptr;
    decltype(&snd_pcm_drain) drain = nullptr;
    decltype(&snd_pcm_prepare) prepare = nullptr;

    static const Alsa* load() {
        static const Alsa alsa = [] {
            Alsa a;
            if (void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) {
                bind(lib, a.set_error_handler, "snd_lib_error_set_handler");
                bind(lib, a.open, "snd_pcm_open");
                bind(lib, a.nonblock, "snd_pcm_nonblock");
                bind(lib, a.set_params, "snd_pcm_set_params");
                bind(lib, a.strerror, "snd_strerror");
                bind(lib, a.close, "snd_pcm_close");
                bind(lib, a.writei, "snd_pcm_writei");
                bind(lib, a.recover, "snd_pcm_recover");
                bind(lib, a.drain, "snd_pcm_drain");
                bind(lib, a.prepare, "snd_pcm_prepare");
            }
            return a;
        }();
        return alsa.complete() ? &alsa : nullptr;
    }

private:
    template <class F>
    static void bind(void* lib, F& f, const char* name) {
        f = reinterpret_cast<F>(dlsym(lib, name));
    }
    bool complete() const {
        return set_error_handler && open && nonblock && set_params && strerror && close && writei && recover &&
               drain && prepare;
    }
};

} // namespace

Tone::~Tone() { close(); }

bool Tone::open() {
    if (pcm_)
        return true;
    const Alsa* alsa = Alsa::load();
    if (!alsa) {
        if (!complained_)
            std::fprintf(stderr, "tavrin: no sound library (libasound.so.2); tones stay silent\n");
        complained_ = true;
        return false;
    }
    alsa->set_error_handler(quietAlsa);
    // Opened without blocking: a device held by someone else must not hang the clock.
    int err = alsa->open(&pcm_, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (err >= 0) {
        alsa->nonblock(pcm_, 0);
        err = alsa->set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1, 100000);
    }
    if (err < 0) {
        if (!complained_)
            std::fprintf(stderr, "tavrin: no sound device (%s); tones stay silent\n", alsa->strerror(err));
        complained_ = true;
        close();
        return false;
    }
    return true;
}

void Tone::close() {
    if (pcm_)
        Alsa::load()->close(pcm_);
    pcm_ = nullptr;
}

bool Tone::write(int frequencyHz, int durationMs) {
    const Alsa& alsa = *Alsa::load(); // open() succeeded
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
        snd_pcm_sframes_t n = alsa.writei(pcm_, samples.data() + done, frames - done);
        if (n < 0)
            n = alsa.recover(pcm_, int(n), 1);
        if (n < 0)
            return false;
        done += std::size_t(n);
    }
    if (alsa.drain(pcm_) < 0)
        return false;
    alsa.prepare(pcm_); // ready for the next tone without reopening
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
