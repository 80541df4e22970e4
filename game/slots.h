#pragma once

#include <string>

namespace quillory {

// The 40 communication slots of the player's pilot.
inline constexpr int kSlotCount = 40;

// The category phrase shown beside "Comm type :". Fails with "List index out of bounds (%d)"
// outside 0..39.
const std::string& categoryPhrase(int slot);

// The wording written when the communication text file is created from nothing. Fails as
// categoryPhrase does.
const std::string& defaultText(int slot);

// "00" .. "39": the end of the slot's speech sample file name. Fails as categoryPhrase does.
std::string speechFileNumber(int slot);

}  // namespace quillory
