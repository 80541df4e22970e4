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

// Samples in memory that note the largest read asked of them and when the player lets go.
struct Watch {
    std::size_t largest = 0;
    bool released = false;
};
class WatchedSamples : public MemorySamples {
public:
    WatchedSamples(std::size_t count, Watch& watch)
        : MemorySamples(test::pattern(count)), watch_(watch) {}
    ~WatchedSamples() override { watch_.released = true; }
    std::size_t read(void* buffer, std::size_t size) override {
        watch_.largest = std::max(watch_.largest, size);
        return MemorySamples::read(buffer, size);
    }

private:
    Watch& watch_;
};

TEST(SystemSound, PlaysABufferAtATimeUntilTheDeviceHasPlayedTheLastSample) {
    Sound& sound = systemSound();
    const PcmFormat mono8k{1, 8000, 8};  // a quarter of a second is 2000 bytes
    Watch half, minute;
    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(4000, half)),
              Sound::Outcome::Playing);
    EXPECT_TRUE(sound.Playing());
    for (auto end = std::chrono::steady_clock::now() + 20s;
         sound.Playing() && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(half.released && !sound.Playing());

    ASSERT_EQ(sound.Play(mono8k, std::make_unique<WatchedSamples>(480000, minute)),
              Sound::Outcome::Playing);
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(sound.Playing() && !minute.released);
    sound.Stop();
    EXPECT_TRUE(minute.released && !sound.Playing());
    EXPECT_LE(std::max(half.largest, minute.largest), 2000u);
}

}  // namespace
}  // namespace quillory
#endif
