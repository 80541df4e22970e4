#pragma once

// The voices the player attached: the slots' speech sample files below the game's folder.
#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/slots.h"
#include "platform/filesystem.h"
#include "platform/sound.h"

namespace quillory {

using Voices = std::bitset<kSlotCount>;

// The slots that have a speech sample file below `gameDir`.
Voices FindVoices(FileSystem& fs, const std::string& gameDir);

// Deletes the speech sample file of `slot` (and the temporary file of a write of it), then
// removes "audio\speech" and "audio" where they became empty. Returns the paths of the files
// that exist but could not be deleted.
std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot);

// A voice ready to play: its format, and its sample bytes, read from the open file as the
// player asks for them.
struct VoiceStream {
    PcmFormat format;
    std::unique_ptr<SampleSource> samples;
};

// Opens the speech sample file of `slot` for playing. Nothing when it is no speech sample file
// that the import could have written (readSpeechFile's rule, told from its header and length).
std::optional<VoiceStream> OpenVoice(FileSystem& fs, const std::string& gameDir, int slot);

}  // namespace quillory
