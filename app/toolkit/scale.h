#pragma once

#include <cstdint>
#include <vector>

namespace quillory {

// Every form is designed at 96 dots per inch; on a screen of another scale its lengths, fonts
// and pictures are scaled to that screen's.
inline constexpr int kDesignDpi = 96;

// A length of the design at `dpi`, rounded to the nearest pixel, halves away from zero, as
// Windows' MulDiv rounds.
constexpr int Scaled(int length, int dpi) {
    const std::int64_t product = std::int64_t{length} * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
}

// The width of a drawn line (a frame's, a mark's): one pixel for each whole 96 dots per inch.
constexpr int LineWidth(int dpi) { return dpi >= 2 * kDesignDpi ? dpi / kDesignDpi : 1; }

// A picture of width by height pixels, each 0xAARRGGBB with its colour premultiplied by its
// alpha, row after row from the top.
struct Image {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;
};

// The picture at another size: each new pixel the average of the part of the old picture it
// covers, weighted by how much of each old pixel it covers, so that a picture grown by a whole
// factor keeps its hard edges and one grown by a part of its size shows smooth ones.
Image ScaledImage(const Image& image, int width, int height);

}  // namespace quillory
