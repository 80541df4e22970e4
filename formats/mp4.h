#pragma once

// The AAC track of an MP4 file (M4A), as its movie box describes it, and its frames read one at
// a time, so that a decoder can be fed without a container reader of the system. The movie box
// is held in memory (about 4 bytes a frame); the sound stays in the file.
#include <memory>

#include "formats/wave.h"
#include "platform/decoder.h"

namespace quillory {

// The first AAC track of the MP4 file `source`; false when it has none or its tables do not
// hold together (the frames then stay null). The frames read from `source`, which they keep;
// one that the tables place beyond the end of the file is an Error.
bool readMp4Aac(std::unique_ptr<ByteSource> source, AacTrack& aac);

}  // namespace quillory
