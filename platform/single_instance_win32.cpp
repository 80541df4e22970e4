#include <windows.h>

#include <cstdint>

#include "platform/single_instance.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

// The name every copy on the same game folder gives its claim: the folder's path, its letters
// in one case, hashed (FNV-1a), as kernel object names take no backslash.
std::wstring ClaimName(const std::string& gameDir) {
    std::wstring wide = WideOf(gameDir);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t c : wide) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t name[64];
    wsprintfW(name, L"Local\\Quillory-%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return name;
}

}  // namespace

GameFolderClaim::~GameFolderClaim() {
    if (handle_) {
        CloseHandle(handle_);
    }
}

std::unique_ptr<GameFolderClaim> ClaimGameFolder(const std::string& gameDir, void* window) {
    // A shared page that names the claiming copy and its window; it lives as long as a claim
    // on it does.
    struct Claimant {
        std::uint64_t process;
        std::uint64_t window;
    };
    const HANDLE claim = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            sizeof(Claimant), ClaimName(gameDir).c_str());
    if (!claim) {
        // Nothing to tell the copies apart by: this one goes on.
        return std::make_unique<GameFolderClaim>();
    }
    const bool first = GetLastError() != ERROR_ALREADY_EXISTS;
    auto* claimant = static_cast<volatile Claimant*>(
        MapViewOfFile(claim, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(Claimant)));
    if (!claimant) {
        return std::make_unique<GameFolderClaim>(claim);
    }
    const auto other = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(claimant->window));
    // The copy that claimed the folder is this one (a window made again), or it is closing.
    const bool ours = first || claimant->process == GetCurrentProcessId() || !IsWindow(other);
    if (ours) {
        claimant->process = GetCurrentProcessId();
        claimant->window = reinterpret_cast<std::uintptr_t>(window);
    }
    UnmapViewOfFile(const_cast<Claimant*>(claimant));
    if (ours) {
        return std::make_unique<GameFolderClaim>(claim);
    }
    CloseHandle(claim);
    if (IsIconic(other)) {
        ShowWindow(other, SW_RESTORE);
    }
    SetForegroundWindow(GetLastActivePopup(other));
    return nullptr;
}

}  // namespace quillory
