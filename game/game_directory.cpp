#include "game/game_directory.h"

#include "game/slots.h"

namespace quillory {
namespace {

constexpr char kLanguage[] = "language";
constexpr char kPilots[] = "language\\pilots";
constexpr char kAudio[] = "audio";
constexpr char kSpeech[] = "audio\\speech";

}  // namespace

std::string GameDirectory::CommFile() const { return dir_ + kPilots + "\\player_1.eng"; }

std::string GameDirectory::SpeechFile(int slot) const {
    return dir_ + kSpeech + "\\007400" + speechFileNumber(slot) + ".iff";
}

bool GameDirectory::HasSpeechFolder() const { return fs_.dirExists(dir_ + kSpeech); }

void GameDirectory::MakeFolder(const std::string& looked, const std::string& made) const {
    if (!fs_.dirExists(dir_ + looked)) {
        fs_.createDirectory(dir_ + made);
    }
}

void GameDirectory::MakeCommFolders() const {
    MakeFolder(kLanguage, "Language");
    MakeFolder(kPilots, "Language\\pilots");
}

void GameDirectory::MakeSpeechFolders() const {
    MakeFolder(kAudio, kAudio);
    MakeFolder(kSpeech, kSpeech);
}

void GameDirectory::RemoveEmptyCommFolders() const {
    fs_.removeDirectory(dir_ + kPilots);
    fs_.removeDirectory(dir_ + kLanguage);
}

void GameDirectory::RemoveEmptySpeechFolders() const {
    fs_.removeDirectory(dir_ + kSpeech);
    fs_.removeDirectory(dir_ + kAudio);
}

}  // namespace quillory
