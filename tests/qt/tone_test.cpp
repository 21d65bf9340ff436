// Tones take their length with or without a sound device, and the sound
// library is only loaded for the first of them.
#include "hosts/qt/tone.h"

#include <gtest/gtest.h>

#include <chrono>
#include <dlfcn.h>

namespace tavrin::qt::test {
namespace {

bool soundLibraryLoaded() {
    void* lib = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (lib)
        dlclose(lib);
    return lib != nullptr;
}

TEST(Tones, LastTheirLengthAndLoadTheSoundLibraryOnlyWhenPlayed) {
    Tone tone;
    EXPECT_FALSE(soundLibraryLoaded()) << "a program that never beeps carries no sound library";

    const auto start = std::chrono::steady_clock::now();
    tone.play(880, 60);
    tone.play(880, 40);
    const auto spent = std::chrono::steady_clock::now() - start;
    EXPECT_GE(spent, std::chrono::milliseconds(100)) << "each tone holds the thread for its length";
    EXPECT_LT(spent, std::chrono::milliseconds(2000));
    EXPECT_TRUE(soundLibraryLoaded());

    const auto before = std::chrono::steady_clock::now();
    tone.play(30000, 30); // past what a device carries: silence, just as long
    tone.play(440, 0);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(30));
}

} // namespace
} // namespace tavrin::qt::test
