#pragma once

// The game's folder as the program writes into it: where each of its files goes, and the
// folders they need. The one place that spells a path below the game's folder.
#include <string>

#include "platform/filesystem.h"

namespace quillory {

// The game's program in its folder, which the shell starts with the folder as its current one.
inline constexpr char kGameExecutable[] = "Secretops.exe";

class GameDirectory {
public:
    // `dir` is the game's folder as found, ending in a separator (or empty: the current one).
    GameDirectory(FileSystem& fs, std::string dir) : fs_(fs), dir_(std::move(dir)) {}

    FileSystem& fs() const { return fs_; }
    const std::string& dir() const { return dir_; }

    // The communication text file, "language\pilots\player_1.eng".
    std::string CommFile() const;
    // The speech sample file of a slot, "audio\speech\007400NN.iff".
    std::string SpeechFile(int slot) const;
    // Whether "audio\speech" exists: without it, no speech sample file does.
    bool HasSpeechFolder() const;

    // Creates the folders of the communication text file where they are missing, as
    // "Language" and "Language\pilots" (names match without regard to case: an existing
    // "language" is used). A failure shows when the file is written.
    void MakeCommFolders() const;
    // The same for the speech sample files: "audio" and "audio\speech".
    void MakeSpeechFolders() const;
    // Removes "language\pilots", then "language", where they are empty.
    void RemoveEmptyCommFolders() const;
    // Removes "audio\speech", then "audio", where they are empty.
    void RemoveEmptySpeechFolders() const;

private:
    // Creates `made` unless `looked` exists.
    void MakeFolder(const std::string& looked, const std::string& made) const;

    FileSystem& fs_;
    std::string dir_;
};

}  // namespace quillory
