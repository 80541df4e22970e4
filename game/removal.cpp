#include "game/removal.h"

#include "game/game_directory.h"
#include "game/slots.h"

namespace quillory {
namespace {

// Deletes the file and, when it stays, adds it to `kept`: whatever the system said, a file that
// is still there was not deleted (a read-only mount may report success).
void deleteOne(FileSystem& fs, const std::string& path, std::vector<std::string>& kept) {
    fs.deleteFile(path);
    if (fs.fileExists(path)) {
        kept.push_back(path);
    }
}

}  // namespace

void DeleteWrittenFile(FileSystem& fs, const std::string& path, std::vector<std::string>& kept) {
    deleteOne(fs, path, kept);
    deleteOne(fs, temporaryPathFor(path), kept);
}

void RemoveUnfinishedWrites(FileSystem& fs, const std::string& gameDir) {
    const GameDirectory game(fs, gameDir);
    fs.deleteFile(temporaryPathFor(game.CommFile()));
    // One look instead of forty where the game has no voice yet.
    const bool speech = game.HasSpeechFolder();
    for (int slot = 0; speech && slot < kSlotCount; ++slot) {
        fs.deleteFile(temporaryPathFor(game.SpeechFile(slot)));
    }
}

std::vector<std::string> RemoveCustomFiles(FileSystem& fs, const std::string& gameDir) {
    const GameDirectory game(fs, gameDir);
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, game.CommFile(), kept);
    game.RemoveEmptyCommFolders();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        DeleteWrittenFile(fs, game.SpeechFile(slot), kept);
    }
    game.RemoveEmptySpeechFolders();
    return kept;
}

}  // namespace quillory
