#include <windows.h>
// after windows.h
#include <shlobj.h>

#include "platform/app_data.h"
#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace quillory {

std::string localAppDataFolder() {
    // Loaded when first needed: shell32 is no import of the program.
    static SystemFunction<decltype(SHGetFolderPathW)> getFolderPath("shell32.dll",
                                                                    "SHGetFolderPathW");
    auto* get = getFolderPath.get();
    wchar_t path[MAX_PATH] = {};
    if (!get || get(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
        return {};
    }
    std::wstring folder = path;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.pop_back();
    }
    return Utf8Of(folder);
}

}  // namespace quillory
