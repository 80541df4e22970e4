#include "game/removal.h"

#include "game/slots.h"

namespace quillory {
namespace {

// Deletes the file and, when it was there and stays, adds it to `kept`.
void deleteOne(FileSystem& fs, const std::string& path, std::vector<std::string>& kept) {
    if (!fs.deleteFile(path) && fs.fileExists(path)) {
        kept.push_back(path);
    }
}

}  // namespace

void DeleteWrittenFile(FileSystem& fs, const std::string& path, std::vector<std::string>& kept) {
    deleteOne(fs, path, kept);
    deleteOne(fs, temporaryPathFor(path), kept);
}

std::vector<std::string> RemoveCustomFiles(FileSystem& fs, const std::string& gameDir) {
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, gameDir + "language\\pilots\\player_1.eng", kept);
    fs.removeDirectory(gameDir + "language\\pilots");
    fs.removeDirectory(gameDir + "language");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        DeleteWrittenFile(fs, gameDir + speechFilePath(slot), kept);
    }
    fs.removeDirectory(gameDir + "audio\\speech");
    fs.removeDirectory(gameDir + "audio");
    return kept;
}

}  // namespace quillory
