#include "runtime/system/sound.h"

#include "runtime/forms/runtime.h"

namespace rt {

bool Beep(int frequencyHz, int durationMs) {
    if (frequencyHz < 37 || frequencyHz > 32767 || durationMs < 0 || !hasHost())
        return false;
    host().beep(frequencyHz, durationMs);
    return true;
}

} // namespace rt
