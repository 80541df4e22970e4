#include "platform/trimmed_samples.h"

#include <algorithm>

namespace quillory {

std::size_t TrimmedSamples::read(void* buffer, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (skip_ > 0) {
        const std::size_t got =
            from_->read(bytes, static_cast<std::size_t>(std::min<std::uint64_t>(size, skip_)));
        if (got == 0) {
            return 0;
        }
        skip_ -= got;
    }
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, keep_));
    std::size_t got = 0;
    for (std::size_t step; got < wanted && (step = from_->read(bytes + got, wanted - got)) > 0;) {
        got += step;
    }
    keep_ -= got;
    return got;
}

}  // namespace quillory
