#pragma once

// Sound files through Media Foundation's source reader (Windows 7 and later), as 16-bit PCM.
#include <string>

#include "platform/decoder.h"

namespace quillory {

// Decodes the file at `utf8Path`; NoDecoder when Media Foundation is missing or has no decoder
// for what the file holds, Damaged when it takes the kind but not the file.
DecodeResult openMediaFoundation(const std::string& utf8Path);

}  // namespace quillory
