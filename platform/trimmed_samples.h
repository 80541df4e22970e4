#pragma once

// Decoded samples less the decoder's lead-in and anything past the sound's known length.
#include <cstdint>
#include <limits>
#include <memory>

#include "platform/sample_source.h"

namespace quillory {

class TrimmedSamples : public SampleSource {
public:
    static constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();

    // Drops the first `skip` bytes of `from`, then gives at most `keep` bytes.
    TrimmedSamples(std::unique_ptr<SampleSource> from, std::uint64_t skip, std::uint64_t keep)
        : from_(std::move(from)), skip_(skip), keep_(keep) {}
    std::size_t read(void* buffer, std::size_t size) override;

private:
    std::unique_ptr<SampleSource> from_;
    std::uint64_t skip_;
    std::uint64_t keep_;
};

}  // namespace quillory
