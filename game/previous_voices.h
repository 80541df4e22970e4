#pragma once

// The voices that a write or a deletion took from the game: copies of the slots' speech sample
// files, kept outside the game's folder, the last few of each slot, so that a player can put
// them back one by one.
#include <string>

#include "game/game_directory.h"
#include "platform/filesystem.h"

namespace quillory {

// How many earlier voices each slot keeps; a further one drops the oldest.
inline constexpr int kPreviousVoicesKept = 5;

// The folder that keeps the earlier voices of the game in `gameDir`, below `dataFolder` (the
// user's local application data): a readable part of the game folder's name and a hash of its
// whole path, so that two games never share one. Ends in a separator.
std::string PreviousVoicesFolder(const std::string& dataFolder, const std::string& gameDir);

class PreviousVoices {
public:
    // `folder` as PreviousVoicesFolder gives it; empty when there is none, and then nothing can
    // be kept.
    PreviousVoices(const GameDirectory& game, std::string folder)
        : game_(game), folder_(std::move(folder)) {}

    // Whether `slot` has an earlier voice to restore.
    bool Has(int slot) const;
    // Copies the slot's voice in the game, when it has one, as its newest earlier voice. Throws
    // when the copy could not be made: the game's file must then stay as it is.
    void Keep(int slot) const;
    // Puts the newest earlier voice of `slot` in the game, through the replacing write; the
    // voice it replaces, when there is one, takes its place among the earlier ones. When the
    // write fails, the game's file and the earlier voices are as they were.
    void Restore(int slot) const;

private:
    std::string Path(int slot, int number) const;
    // How many earlier voices the slot has, after renumbering them 1 (oldest) to that count.
    int Compact(int slot) const;
    void MakeFolders() const;

    GameDirectory game_;
    std::string folder_;
};

}  // namespace quillory
