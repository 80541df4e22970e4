#pragma once

#include <cstdint>
#include <string>

#include "platform/shell.h"

namespace quillory {

// Hands a file to the shell with its default action. `owner` is the main window. Returns the
// shell's result unchanged: above 32 when the start succeeded.
std::intptr_t LaunchFile(Shell& shell, void* owner, const std::string& fileName,
                         const std::string& parameters, const std::string& directory,
                         int showCommand);

}  // namespace quillory
