#include "game/voices.h"

#include "game/removal.h"

namespace quillory {

Voices FindVoices(FileSystem& fs, const std::string& gameDir) {
    Voices voices;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        voices[static_cast<std::size_t>(slot)] = fs.fileExists(gameDir + speechFilePath(slot));
    }
    return voices;
}

std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, gameDir + speechFilePath(slot), kept);
    fs.removeDirectory(gameDir + "audio\\speech");
    fs.removeDirectory(gameDir + "audio");
    return kept;
}

}  // namespace quillory
