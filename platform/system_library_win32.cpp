#include "platform/system_library_win32.h"

#include <string>

namespace quillory {

HMODULE SystemLibrary(const char* name) {
    if (const HMODULE loaded = GetModuleHandleA(name)) {
        return loaded;
    }
    // From the system folder only: never a DLL of that name beside the program.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

}  // namespace quillory
