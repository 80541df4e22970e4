// The system's sound output, playing to a device that plays into nothing: the test runs with
// ALSA_CONFIG_PATH at tests/data/silent-sound.conf (see tests/CMakeLists.txt).
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

// Samples in memory that note the largest read asked of them, how much they gave and when
// the player let go of them.
struct Watch {
    std::size_t largest = 0, given = 0;
    bool released = false;
};
class WatchedSamples : public MemorySamples {
public:
    WatchedSamples(std::size_t count, Watch& watch)
        : MemorySamples(test::pattern(count)), watch_(watch) {}
    ~WatchedSamples() override { watch_.released = true; }
    std::size_t read(void* buffer, std::size_t size) override {
        watch_.largest = std::max(watch_.largest, size);
        const std::size_t got = MemorySamples::read(buffer, size);
        watch_.given += got;
        return got;
    }

private:
    Watch& watch_;
};

TEST(SystemSound, PlaysAFewBuffersAheadUntilTheDeviceHasPlayedTheLastSample) {
    Sound& sound = systemSound();
    const PcmFormat mono8k{1, 8000, 8};  // a quarter of a second is 2000 bytes
    Watch half, minute;
    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(4000, half)),
              Sound::Outcome::Playing);
    EXPECT_TRUE(sound.Playing());
    for (const auto end = std::chrono::steady_clock::now() + 20s;
         sound.Playing() && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(sound.Playing());
    EXPECT_EQ(half.given, 4000u);
    EXPECT_TRUE(half.released);

    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(480000, minute)),
              Sound::Outcome::Playing);
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(sound.Playing());
    EXPECT_LT(minute.given, 480000u);
    sound.Stop();
    EXPECT_FALSE(sound.Playing());
    EXPECT_TRUE(minute.released);
    EXPECT_LE(std::max(half.largest, minute.largest), 2000u);
}

}  // namespace
}  // namespace quillory
#endif
