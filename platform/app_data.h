#pragma once

#include <string>

namespace quillory {

// The folder where the program keeps what belongs to the user on this machine only (Windows:
// the user's local application data; elsewhere $XDG_DATA_HOME, else ~/.local/share), in UTF-8
// and without a separator at its end; empty when the system names none.
std::string localAppDataFolder();

}  // namespace quillory
