#include "game/voices.h"

#include "formats/speech.h"
#include "game/game_directory.h"
#include "game/removal.h"

namespace quillory {

Voices FindVoices(FileSystem& fs, const std::string& gameDir) {
    const GameDirectory game(fs, gameDir);
    Voices voices;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        voices[static_cast<std::size_t>(slot)] = fs.fileExists(game.SpeechFile(slot));
    }
    return voices;
}

std::optional<PlayableVoice> ReadVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    const std::string bytes = readWholeFile(fs, GameDirectory(fs, gameDir).SpeechFile(slot));
    const std::optional<SpeechSample> sample = readSpeechFile(bytes);
    if (!sample) {
        return std::nullopt;
    }
    return PlayableVoice{waveImage(*sample), playingTimeMs(*sample)};
}

std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    const GameDirectory game(fs, gameDir);
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, game.SpeechFile(slot), kept);
    game.RemoveEmptySpeechFolders();
    return kept;
}

}  // namespace quillory
