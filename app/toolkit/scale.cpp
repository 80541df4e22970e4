#include "app/toolkit/scale.h"

#include <algorithm>
#include <array>

namespace quillory {
namespace {

// How much of each old pixel along one axis a new pixel covers, in parts of 1 << 16 of the new
// pixel, as (old index, weight) pairs.
struct Cover {
    int from;
    std::vector<std::uint32_t> weights;
};

std::vector<Cover> Covers(int oldLength, int newLength) {
    std::vector<Cover> covers(static_cast<std::size_t>(newLength));
    // In units of 1 / (oldLength * newLength): new pixel i spans [i * old, (i + 1) * old).
    const std::int64_t total = oldLength;
    for (int i = 0; i < newLength; ++i) {
        const std::int64_t start = std::int64_t{i} * oldLength;
        const std::int64_t end = start + oldLength;
        Cover& cover = covers[static_cast<std::size_t>(i)];
        cover.from = static_cast<int>(start / newLength);
        std::uint32_t given = 0;
        for (std::int64_t j = cover.from; j * newLength < end; ++j) {
            const std::int64_t overlap =
                std::min(end, (j + 1) * newLength) - std::max(start, j * newLength);
            auto weight = static_cast<std::uint32_t>((overlap << 16) / total);
            cover.weights.push_back(weight);
            given += weight;
        }
        // What the rounding down left goes to the largest share, so the weights make 1.
        *std::max_element(cover.weights.begin(), cover.weights.end()) += (1u << 16) - given;
    }
    return covers;
}

}  // namespace

Image ScaledImage(const Image& image, int width, int height) {
    Image scaled{width, height, {}};
    if (width <= 0 || height <= 0 || image.Width <= 0 || image.Height <= 0) {
        scaled.Width = std::max(width, 0);
        scaled.Height = std::max(height, 0);
        scaled.Pixels.assign(static_cast<std::size_t>(scaled.Width) * scaled.Height, 0);
        return scaled;
    }
    const std::vector<Cover> across = Covers(image.Width, width);
    const std::vector<Cover> down = Covers(image.Height, height);
    scaled.Pixels.reserve(static_cast<std::size_t>(width) * height);
    for (const Cover& row : down) {
        for (const Cover& column : across) {
            std::array<std::uint64_t, 4> sum{};
            for (std::size_t y = 0; y < row.weights.size(); ++y) {
                const std::size_t line = static_cast<std::size_t>(row.from) + y;
                for (std::size_t x = 0; x < column.weights.size(); ++x) {
                    const std::uint32_t pixel =
                        image
                            .Pixels[line * image.Width + static_cast<std::size_t>(column.from) + x];
                    const std::uint64_t weight = std::uint64_t{row.weights[y]} * column.weights[x];
                    for (int channel = 0; channel < 4; ++channel) {
                        sum[channel] += ((pixel >> (8 * channel)) & 0xFF) * weight;
                    }
                }
            }
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const auto value = static_cast<std::uint32_t>((sum[channel] + (1ull << 31)) >> 32);
                pixel |= std::min<std::uint32_t>(value, 255) << (8 * channel);
            }
            scaled.Pixels.push_back(pixel);
        }
    }
    return scaled;
}

}  // namespace quillory
