#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/shell.h"
#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

class Win32Shell : public Shell {
public:
    std::intptr_t Execute(void* owner, const std::string& file, const std::string& parameters,
                          const std::string& directory, int showCommand) override {
        static SystemFunction<decltype(ShellExecuteW)> shellExecute("shell32.dll", "ShellExecuteW");
        auto* execute = shellExecute.get();
        if (!execute) {
            return 0;
        }
        // Strings of any length go whole; empty parameters are an empty string, not null.
        const HINSTANCE result =
            execute(static_cast<HWND>(owner), nullptr, WideOf(file).c_str(),
                    WideOf(parameters).c_str(), WideOf(directory).c_str(), showCommand);
        return reinterpret_cast<std::intptr_t>(result);
    }
};

}  // namespace

Shell& systemShell() {
    static Win32Shell shell;
    return shell;
}

}  // namespace quillory
