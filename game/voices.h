#pragma once

// The voices the player attached: the slots' speech sample files below the game's folder.
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/slots.h"
#include "platform/filesystem.h"

namespace quillory {

using Voices = std::bitset<kSlotCount>;

// The slots that have a speech sample file below `gameDir`.
Voices FindVoices(FileSystem& fs, const std::string& gameDir);

// The voice of `slot` as a RIFF WAVE image the system can play, and how long it plays in
// milliseconds; nothing for a speech sample file that the import would not have written.
struct PlayableVoice {
    std::string image;
    std::uint64_t milliseconds;
};
std::optional<PlayableVoice> ReadVoice(FileSystem& fs, const std::string& gameDir, int slot);

// Deletes the speech sample file of `slot` (and the temporary file of a write of it), then
// removes "audio\speech" and "audio" where they became empty. Returns the paths of the files
// that exist but could not be deleted.
std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot);

}  // namespace quillory
