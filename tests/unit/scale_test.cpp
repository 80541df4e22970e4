#include "app/toolkit/scale.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quillory {
namespace {

TEST(Scale, LengthsAtEachScreensScaleRoundAsMulDiv) {
    struct Case {
        int length, dpi, scaled;
    };
    for (const Case& c :
         {Case{740, 96, 740}, Case{740, 120, 925}, Case{740, 144, 1110}, Case{740, 192, 1480},
          Case{13, 120, 16}, Case{13, 144, 20}, Case{1, 144, 2}, Case{1, 120, 1}, Case{2, 120, 3},
          Case{-3, 144, -5}, Case{16, 168, 28}, Case{0, 192, 0}}) {
        EXPECT_EQ(Scaled(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    }
}

// A 2 by 2 picture: opaque red, green, blue and a transparent pixel.
Image Corners() { return Image{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x00000000}}; }

std::uint64_t AlphaSum(const Image& image) {
    return std::accumulate(
        image.Pixels.begin(), image.Pixels.end(), std::uint64_t{0},
        [](std::uint64_t sum, std::uint32_t pixel) { return sum + (pixel >> 24); });
}

TEST(Scale, APictureKeepsItsPixelsAtItsSizeAndItsEdgesAtWholeFactors) {
    EXPECT_EQ(ScaledImage(Corners(), 2, 2).Pixels, Corners().Pixels);
    const Image doubled = ScaledImage(Corners(), 4, 4);
    ASSERT_EQ(doubled.Pixels.size(), 16u);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(doubled.Pixels[y * 4 + x], Corners().Pixels[(y / 2) * 2 + x / 2]) << x << y;
        }
    }
}

TEST(Scale, APictureGrownByAPartBlendsItsEdgesAndKeepsItsInk) {
    const Image grown = ScaledImage(Corners(), 3, 3);
    ASSERT_EQ(grown.Pixels.size(), 9u);
    EXPECT_EQ(grown.Pixels[0], 0xFFFF0000u);  // inside the red pixel
    EXPECT_EQ(grown.Pixels[8], 0u);           // inside the transparent one
    // The middle covers a quarter of each: three quarters opaque, its colours premultiplied.
    EXPECT_EQ(grown.Pixels[4] >> 24, 191u);
    EXPECT_EQ((grown.Pixels[4] >> 16) & 0xFF, 64u);
    // The same share of the area is opaque, within rounding.
    EXPECT_NEAR(static_cast<double>(AlphaSum(grown)) / 9, AlphaSum(Corners()) / 4.0, 1.0);
}

}  // namespace
}  // namespace quillory
