// Which part of a take is kept, on takes made of stretches whose samples swing between two
// values: 10 ms windows are 220 samples, the margin is 2,205, and -40 dBFS lies between 327
// and 328.
#include "game/take.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/bytes.h"

namespace quillory {
namespace {

const struct {
    const char* name;
    std::vector<std::array<int, 3>> take;  // samples, high, low
    std::optional<TakePart> kept;          // in samples
} kCases[] = {
    {"silence, voice just loud enough, silence",
     {{22000, 327, -327}, {11000, 328, -328}, {22000, 327, 0}},
     TakePart{22000 - 2205, 11000 + 2 * 2205}},
    {"voice starting inside a window",
     {{22010, 0, 0}, {440, 3000, -3000}, {5000, 0, 0}},
     TakePart{22000 - 2205, 660 + 2 * 2205}},
    {"silent throughout", {{66000, 327, -327}}, std::nullopt},
    {"clipped from the first sample to the last", {{22050, 32767, -32768}}, TakePart{0, 22050}},
    {"full scale below only, near both ends",
     {{100, 0, 0}, {300, 0, -32768}, {300, 0, 0}},
     TakePart{0, 700}},
};

TEST(Trim, DropsTheQuietEndsButTheMargins) {
    for (const auto& c : kCases) {
        std::string take;
        for (const auto& [samples, high, low] : c.take) {
            for (int i = 0; i < samples; ++i) {
                take += test::le(static_cast<std::uint32_t>(i % 2 ? low : high), 2);
            }
        }
        const std::optional<TakePart> part = AudiblePart(take);
        ASSERT_EQ(part.has_value(), c.kept.has_value()) << c.name;
        if (part) {
            EXPECT_EQ(part->offset, 2 * c.kept->offset) << c.name;
            EXPECT_EQ(part->size, 2 * c.kept->size) << c.name;
        }
    }
}

}  // namespace
}  // namespace quillory
