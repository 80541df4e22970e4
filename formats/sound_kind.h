#pragma once

// What kind of sound file a file is, told from its bytes, whatever its name.
#include "formats/wave.h"
#include "platform/decoder.h"

namespace quillory {

// RIFF/WAVE; MP4 ("ftyp" at offset 4); ASF (its header object's GUID); FLAC ("fLaC"); Ogg
// ("OggS"); MP3: an ID3v2 tag (FLAC after one is FLAC), or two MPEG layer III frames in a row
// within the first `junkLimit` bytes.
SoundKind soundKind(ByteSource& in, std::uint64_t junkLimit = 64 * 1024);

}  // namespace quillory
