#pragma once

// MP3 through the audio compression manager's MPEG layer 3 codec, which every Windows ships.
#include <memory>

#include "platform/decoder.h"

namespace quillory {

// 16-bit PCM of the stream's frames as the codec gives them, its own delay included; null when
// the compression manager or its codec cannot take the stream. Takes the stream's frames once
// the codec took the stream.
std::unique_ptr<SampleSource> openAcmMp3(Mp3Stream& stream);

}  // namespace quillory
