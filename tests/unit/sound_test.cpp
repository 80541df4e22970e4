// The system's sound output, to a device that plays into nothing: run as unit.sound, with
// ALSA_CONFIG_PATH at tests/data/silent-sound.conf.
#ifdef _WIN32
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/expected.h"

namespace quillory {
namespace {

using namespace std::chrono_literals;

// Samples in memory that note the largest read asked of them, and how many the player holds.
struct WatchedSamples : MemorySamples {
    static inline std::size_t largest = 0;
    static inline int held = 0;
    explicit WatchedSamples(std::size_t count) : MemorySamples(test::pattern(count)) { ++held; }
    ~WatchedSamples() override { --held; }
    std::size_t read(void* buffer, std::size_t size) override {
        largest = std::max(largest, size);
        return MemorySamples::read(buffer, size);
    }
};

TEST(SystemSound, PlaysABufferAtATimeUntilTheDeviceHasPlayedTheLastSample) {
    Sound& sound = systemSound();
    const PcmFormat mono8k{1, 8000, 8};  // a quarter of a second is 2000 bytes
    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(4000)), Sound::Outcome::Playing);
    EXPECT_TRUE(sound.Playing());
    for (auto end = std::chrono::steady_clock::now() + 20s;
         sound.Playing() && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(!sound.Playing() && WatchedSamples::held == 0) << "it played to its end";

    // A minute, stopped after a second.
    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(480000)),
              Sound::Outcome::Playing);
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(sound.Playing() && WatchedSamples::held == 1);
    sound.Stop();
    EXPECT_TRUE(!sound.Playing() && WatchedSamples::held == 0);
    EXPECT_LE(WatchedSamples::largest, 2000u);
}

}  // namespace
}  // namespace quillory
#endif
