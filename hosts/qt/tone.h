#pragma once
// Tones: a sine wave on the default ALSA device, blocking for its length.
#include <cstdint>

typedef struct _snd_pcm snd_pcm_t;

namespace tavrin::qt {

class Tone {
public:
    Tone() = default;
    ~Tone();
    Tone(const Tone&) = delete;
    Tone& operator=(const Tone&) = delete;

    // Plays and returns when it has been heard; silent but just as long
    // when no sound device answers.
    void play(int frequencyHz, int durationMs);

private:
    bool open();
    void close();
    bool write(int frequencyHz, int durationMs);

    snd_pcm_t* pcm_ = nullptr;
    bool complained_ = false;
};

} // namespace tavrin::qt
