#pragma once

namespace rt {

// Sounds a tone and returns when it has ended.
bool Beep(int frequencyHz, int durationMs);

} // namespace rt
