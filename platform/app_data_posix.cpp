#include <cstdlib>

#include "platform/app_data.h"

namespace quillory {

std::string localAppDataFolder() {
    std::string folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        folder = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.local/share";
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

}  // namespace quillory
