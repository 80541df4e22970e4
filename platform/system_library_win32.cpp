#include "platform/system_library_win32.h"

#include <string>

#include "platform/wide_win32.h"

namespace quillory {

HMODULE SystemLibrary(const char* name) {
    const std::wstring wideName = WideOf(name);
    if (const HMODULE loaded = GetModuleHandleW(wideName.c_str())) {
        return loaded;
    }
    // From the system folder only: never a DLL of that name beside the program.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + wideName).c_str());
}

}  // namespace quillory
