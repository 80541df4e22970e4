#pragma once

// Functions of Windows' own DLLs that only some commands need (the file dialog, the shell, the
// sound devices), loaded from the system folder the first time one is asked for rather than
// when the program starts: every DLL that the program imports adds to its start-up.
#include <windows.h>

namespace quillory {

// The system DLL of this name, loaded from the system folder; null when it cannot be.
HMODULE SystemLibrary(const char* name);

// A function of a system DLL, looked up the first time it is asked for.
//   static SystemFunction<decltype(ShellExecuteW)> shellExecute("shell32.dll", "ShellExecuteW");
//   if (auto* execute = shellExecute.get()) { ... }
template <typename Function>
class SystemFunction {
public:
    SystemFunction(const char* library, const char* name) : library_(library), name_(name) {}

    // The function; null when its DLL or the function itself cannot be found.
    Function* get() {
        if (!looked_) {
            looked_ = true;
            if (const HMODULE module = SystemLibrary(library_)) {
                function_ = reinterpret_cast<Function*>(
                    reinterpret_cast<void (*)()>(GetProcAddress(module, name_)));
            }
        }
        return function_;
    }

private:
    const char* library_;
    const char* name_;
    Function* function_ = nullptr;
    bool looked_ = false;
};

}  // namespace quillory
