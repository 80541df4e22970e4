#pragma once

#include <string>

#include "platform/registry.h"

namespace quillory {

inline constexpr char kInstallKey[] = "SOFTWARE\\Origin Systems\\Wing Commander Secret Ops";
inline constexpr char kInstallValue[] = "Installed To:";

struct GameInstallation {
    bool missing = true;
    std::string gameDir;  // ends in a backslash when found
};

// Finds the game's folder from its setup's registry record. A missing key, a missing value and
// an empty value all mean the game is not installed; a value that is no string fails with
// "Invalid data type for 'Installed To:'".
GameInstallation locateGame(Registry& registry);

}  // namespace quillory
