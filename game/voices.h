#pragma once

// The voices the player attached: the slots' speech sample files below the game's folder.
#include <bitset>
#include <string>
#include <vector>

#include "game/slots.h"
#include "platform/filesystem.h"

namespace quillory {

using Voices = std::bitset<kSlotCount>;

// The slots that have a speech sample file below `gameDir`.
Voices FindVoices(FileSystem& fs, const std::string& gameDir);

// Deletes the speech sample file of `slot` (and the temporary file of a write of it), then
// removes "audio\speech" and "audio" where they became empty. Returns the paths of the files
// that exist but could not be deleted.
std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot);

}  // namespace quillory
