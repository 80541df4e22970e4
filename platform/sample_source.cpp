#include "platform/sample_source.h"

#include <algorithm>
#include <cstring>

namespace quillory {

std::size_t MemorySamples::read(void* buffer, std::size_t size) {
    const std::size_t count = std::min(size, bytes_.size() - next_);
    std::memcpy(buffer, bytes_.data() + next_, count);
    next_ += count;
    return count;
}

std::size_t BlockSamples::read(void* buffer, std::size_t size) {
    while (next_ == block_.size() && !ended_) {
        block_.clear();
        next_ = 0;
        ended_ = true;  // stays so when the block fails
        ended_ = !NextBlock(block_);
    }
    const std::size_t count = std::min(size, block_.size() - next_);
    std::memcpy(buffer, block_.data() + next_, count);
    next_ += count;
    return count;
}

std::size_t FileSamples::read(void* buffer, std::size_t size) {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, left_));
    const std::size_t got = wanted == 0 ? 0 : file_->read(buffer, wanted);
    left_ = got == 0 ? 0 : left_ - got;
    return got;
}

}  // namespace quillory
