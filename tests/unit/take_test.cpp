// Which part of a take is kept: takes made of stretches whose samples swing between two values.
#include "game/take.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/support/bytes.h"

namespace quillory {
namespace {

struct Stretch {
    std::size_t samples;
    int high, low;
};

struct TrimCase {
    const char* name;
    std::vector<Stretch> take;
    std::optional<std::pair<std::size_t, std::size_t>> kept;  // first sample, samples
};

// 10 ms windows of 220 samples; 100 ms of margin, 2,205 samples. -40 dBFS lies between 327
// and 328.
const TrimCase kCases[] = {
    {"silence, voice just loud enough, silence",
     {{22000, 327, -327}, {11000, 328, -328}, {22000, 327, 0}},
     {{22000 - 2205, 11000 + 2 * 2205}}},
    {"voice starting inside a window",
     {{22010, 0, 0}, {440, 3000, -3000}, {5000, 0, 0}},
     {{22000 - 2205, 660 + 2 * 2205}}},
    {"silent throughout", {{66000, 327, -327}}, std::nullopt},
    {"clipped from the first sample to the last", {{22050, 32767, -32768}}, {{0, 22050}}},
    {"full scale below only, near both ends",
     {{100, 0, 0}, {300, 0, -32768}, {300, 0, 0}},
     {{0, 700}}},
};

TEST(Trim, DropsTheQuietEndsButTheMargins) {
    for (const TrimCase& c : kCases) {
        std::string take;
        for (const Stretch& stretch : c.take) {
            for (std::size_t i = 0; i < stretch.samples; ++i) {
                take += test::le(static_cast<std::uint32_t>(i % 2 ? stretch.low : stretch.high), 2);
            }
        }
        const std::optional<TakePart> part = AudiblePart(take);
        ASSERT_EQ(part.has_value(), c.kept.has_value()) << c.name;
        if (part) {
            EXPECT_EQ(part->offset, c.kept->first * 2) << c.name;
            EXPECT_EQ(part->size, c.kept->second * 2) << c.name;
        }
    }
}

}  // namespace
}  // namespace quillory
