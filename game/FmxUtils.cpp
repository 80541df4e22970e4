#include "game/FmxUtils.h"

namespace quillory {

std::intptr_t LaunchFile(Shell& shell, void* owner, const std::string& fileName,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) {
    return shell.Execute(owner, fileName, parameters, directory, showCommand);
}

}  // namespace quillory
