// Stands in for the game's executable in the tests of "Run Secret Ops": adds the folder it was
// started in to "started.txt" there, one line per start, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH - 2, folder);
    folder[length] = '\r';
    folder[length + 1] = '\n';
    // Two starts may run at once, and a test may be reading the file: take turns on it, for as
    // long as a busy machine may need.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        HANDLE file = CreateFileA("started.txt", FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, folder, length + 2, &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
