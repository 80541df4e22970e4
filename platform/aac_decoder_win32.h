#pragma once

// The AAC of an M4A through Windows' AAC decoder (Windows 7 and later), fed its frames by the
// program: no source reader, whose queues and work items keep memory for every frame read.
#include <string>

#include "platform/decoder.h"

namespace quillory {

// 16-bit PCM of the first AAC track of the MP4 file at `utf8Path`, less the encoder's priming
// and padding its edit list names. NoDecoder when the file holds no AAC track this can read or
// the system has no AAC decoder that takes it (the source reader may still do).
DecodeResult openMp4Aac(const std::string& utf8Path);

}  // namespace quillory
