// Which part of a take is kept, whether it clipped, and how the kept part sounds evened out, on
// takes made of stretches whose samples swing between two values: 10 ms windows are 220
// samples, the margin is 2,205, -40 dBFS lies between 327 and 328, and -1 dBFS is 29204.
#include "game/take.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "tests/support/bytes.h"

namespace quillory {
namespace {

const struct {
    const char* name;
    std::vector<std::array<int, 3>> take;  // samples, high, low
    std::optional<TakePart> kept;          // in samples
    bool clipped;
    std::array<int, 2> evened;  // the highest and lowest sample of the kept part, evened out
} kCases[] = {
    {"silence, voice just loud enough, silence",
     {{22000, 327, -327}, {11000, 328, -328}, {22000, 327, 0}},
     TakePart{22000 - 2205, 11000 + 2 * 2205},
     false,
     {29204, -29204}},
    {"voice starting inside a window",
     {{22010, 0, 0}, {440, 3000, -3000}, {5000, 0, 0}},
     TakePart{22000 - 2205, 660 + 2 * 2205},
     false,
     {29204, -29204}},
    {"silent throughout", {{66000, 327, -327}}, std::nullopt, false, {29204, -29204}},
    {"clipped from the first sample to the last",
     {{22050, 32767, -32768}},
     TakePart{0, 22050},
     true,
     {29203, -29204}},
    {"full scale below only, near both ends",
     {{100, 0, 0}, {300, 0, -32768}, {300, 0, 0}},
     TakePart{0, 700},
     true,
     {0, -29204}},
    {"loud, one step short of full scale; uneven swings scaled towards zero",
     {{2205, 32766, -32000}},
     TakePart{0, 2205},
     false,
     {29204, -28521}},
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
        EXPECT_EQ(Clipped(take), c.clipped) << c.name;
        const std::string kept = part ? take.substr(part->offset, part->size) : take;
        const std::string evened = EvenedOut(kept);
        ASSERT_EQ(evened.size(), kept.size()) << c.name;
        std::array<int, 2> reach{0, 0};
        for (std::size_t at = 0; at < evened.size(); at += 2) {
            const auto sample = static_cast<std::int16_t>(test::readLe(evened, at, 2));
            reach = {std::max(reach[0], int{sample}), std::min(reach[1], int{sample})};
        }
        EXPECT_EQ(reach, c.evened) << c.name;
    }
}

}  // namespace
}  // namespace quillory
