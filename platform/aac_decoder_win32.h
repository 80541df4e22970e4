#pragma once

// The AAC of an M4A through Windows' AAC decoder (Windows 7 and later), fed its frames by the
// program: no source reader, whose queues and work items keep memory for every frame read.
#include <string>

#include "platform/decoder.h"

namespace quillory {

// 16-bit PCM of an M4A's AAC track, less the encoder's priming and padding its edit list names.
// NoDecoder when the system has no AAC decoder that takes it (the source reader may still do).
DecodeResult openAacTrack(AacTrack aac);

}  // namespace quillory
