#pragma once

#include <cstdint>
#include <memory>

#include "platform/pcm_format.h"
#include "platform/sample_source.h"

namespace quillory {

// The system's sound output, playing one sound at a time while the program goes on. It reads
// the samples a few buffers ahead of what the device plays, so that a sound of any length
// takes the same memory.
class Sound {
public:
    enum class Outcome { Playing, NoDevice, Refused };

    virtual ~Sound() = default;
    // Stops what played before, then starts playing `samples` in `format`. Refused: the device
    // cannot play that format. A failure to read the first buffers throws, with nothing playing.
    virtual Outcome Play(const PcmFormat& format, std::unique_ptr<SampleSource> samples) = 0;
    // Stops the sound at once and lets go of its samples.
    virtual void Stop() = 0;
    // True until the device has played the last sample, or Stop.
    virtual bool Playing() = 0;
};

Sound& systemSound();

}  // namespace quillory
