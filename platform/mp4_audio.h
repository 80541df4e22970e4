#pragma once

// The AAC track of an MP4 file (M4A), as its movie box describes it, and its frames read one at
// a time from the file, so that a decoder can be fed without a container reader of the system.
// The movie box is held in memory (about 4 bytes a frame); the sound stays in the file.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/decoder.h"
#include "platform/filesystem.h"

namespace quillory {

struct Mp4Aac {
    unsigned rate = 0;              // of the sample description, as the decoder is told it
    unsigned channels = 0;          // likewise
    std::string config;             // the AudioSpecificConfig of its decoder description
    std::uint32_t timescale = 0;    // of the track's times below
    std::uint64_t frameCount = 0;   // AAC frames
    std::uint64_t primingTime = 0;  // before the sound, from the edit list
    std::uint64_t soundTime = 0;    // the sound's length; 0 when unknown
    std::unique_ptr<CompressedFrames> frames;
};

// The first AAC track of the MP4 `file`; false when it has none or its tables do not hold
// together (the frames then stay null). The frames read from `file`, which they keep.
bool readMp4Aac(std::unique_ptr<File> file, Mp4Aac& aac);

}  // namespace quillory
