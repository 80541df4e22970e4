// The file system through the wide Win32 API: every path comes in UTF-8 and goes to the system
// absolute with the "\\?\" prefix, so that any name of any length opens.
#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/filesystem.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

int codeOf(DWORD err) {
    switch (err) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return kDiskFull;
        case ERROR_HANDLE_EOF:
            return kReadBeyondEnd;
        default:
            return static_cast<int>(err);
    }
}

// A path as the wide API takes it beyond MAX_PATH: absolute, with the "\\?\" prefix.
std::wstring LongWidePath(const std::string& utf8Path) {
    const std::wstring wide = WideOf(utf8Path);
    const DWORD full = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (full == 0) {
        return wide;
    }
    std::wstring absolute(full, L'\0');
    absolute.resize(GetFullPathNameW(wide.c_str(), full, absolute.data(), nullptr));
    if (absolute.compare(0, 4, L"\\\\?\\") == 0) {
        return absolute;
    }
    if (absolute.compare(0, 2, L"\\\\") == 0) {
        return L"\\\\?\\UNC\\" + absolute.substr(2);
    }
    return L"\\\\?\\" + absolute;
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(LongWidePath(path).c_str());
}

bool isFolder(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// True when the nearest part of `path` that exists above it is a file.
bool fileOnPath(const std::string& path) {
    for (std::size_t end = path.find_last_of('\\'); end != std::string::npos && end > 0;
         end = path.find_last_of('\\', end - 1)) {
        const DWORD attributes = attributesOf(path.substr(0, end));
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    return false;
}

// True when another program holds the file open in a way that keeps it from being replaced.
bool heldByAnother(const std::string& path) {
    const HANDLE handle = CreateFileW(LongWidePath(path).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// True when Windows keeps the writes that a protected folder (Program Files) refuses this
// account in the user's VirtualStore instead: Windows Vista and later with UAC on. Windows XP
// knows no such token information and has no virtual store.
bool writesAreVirtualized() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    DWORD virtualized = 0;
    DWORD size = 0;
    const BOOL known = GetTokenInformation(token, TokenVirtualizationEnabled, &virtualized,
                                           sizeof virtualized, &size);
    CloseHandle(token);
    return known && virtualized != 0;
}

// Why a write to `path` was denied: a folder in its place, another program holding it (a file
// open elsewhere is not replaced), or an account that may not change the folder where no
// virtual store takes the write instead. Wine denies a write to a read-only disk too, and tells
// nothing that sets it apart from the last (no FILE_READ_ONLY_VOLUME).
Cause refusalOf(const std::string& path) {
    if (isFolder(path)) {
        return Cause::FolderInPlace;
    }
    if (heldByAnother(path)) {
        return Cause::InUse;
    }
    return writesAreVirtualized() ? Cause::Unknown : Cause::AccountMayNotWrite;
}

// The error of a call on `path` that failed with the system's code `err`. Where the code alone
// does not tell the player what to do, the file system is asked why.
Error errorOf(DWORD err, const std::string& path, bool writing) {
    const int code = codeOf(err);
    if (err == ERROR_PATH_NOT_FOUND && fileOnPath(path)) {
        return Error(code, Cause::NotAFolder);
    }
    if (err == ERROR_ACCESS_DENIED) {
        return Error(code, writing          ? refusalOf(path)
                           : isFolder(path) ? Cause::FolderInPlace
                                            : Cause::Unknown);
    }
    return Error(code);
}

[[noreturn]] void fail() { throw Error(codeOf(GetLastError())); }

[[noreturn]] void failRead(const std::string& path) { throw errorOf(GetLastError(), path, false); }

[[noreturn]] void failWrite(const std::string& path) { throw errorOf(GetLastError(), path, true); }

// True when `path` lies below `folder`; letters match without regard to case, as Windows does.
bool startsWithFolder(const std::string& path, const std::string& folder) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return path.size() > folder.size() && path[folder.size()] == '\\' &&
           std::equal(folder.begin(), folder.end(), path.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

bool isReadOnlyFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

class Win32File : public File {
public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }

    std::size_t read(void* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr)) {
            fail();
        }
        return got;
    }

    void write(const void* buffer, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(buffer);
        while (size > 0) {
            DWORD put = 0;
            if (!WriteFile(handle_, bytes, static_cast<DWORD>(size), &put, nullptr)) {
                fail();
            }
            if (put == 0) {
                throw Error(kDiskFull);
            }
            bytes += put;
            size -= put;
        }
    }

    void seek(std::uint64_t offset) override {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) {
            fail();
        }
    }

    std::uint64_t length() override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(handle_, &size)) {
            fail();
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    void flush() override {
        if (!FlushFileBuffers(handle_)) {
            fail();
        }
    }

    void close() override {
        if (handle_ == INVALID_HANDLE_VALUE) {
            return;
        }
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            fail();
        }
    }

private:
    HANDLE handle_;
};

class Win32FileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override {
        const DWORD attributes = attributesOf(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool dirExists(const std::string& path) override {
        const DWORD attributes = attributesOf(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool createDirectory(const std::string& path) override {
        if (CreateDirectoryW(LongWidePath(path).c_str(), nullptr)) {
            return true;
        }
        if (GetLastError() == ERROR_ACCESS_DENIED && !writesAreVirtualized()) {
            refusedFolder_ = path;
        }
        return false;
    }

    bool removeDirectory(const std::string& path) override {
        return RemoveDirectoryW(LongWidePath(path).c_str()) != 0;
    }

    bool deleteFile(const std::string& path) override {
        return !isReadOnlyFile(path) && DeleteFileW(LongWidePath(path).c_str()) != 0;
    }

    std::unique_ptr<File> openRead(const std::string& path) override {
        const HANDLE handle = CreateFileW(LongWidePath(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            failRead(path);
        }
        return std::make_unique<Win32File>(handle);
    }

    std::unique_ptr<File> create(const std::string& path) override {
        if (isReadOnlyFile(path)) {
            throw Error(kAccessDenied);
        }
        const HANDLE handle =
            CreateFileW(LongWidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            // The folder is missing because the system refused to create it.
            if (GetLastError() == ERROR_PATH_NOT_FOUND && !refusedFolder_.empty() &&
                startsWithFolder(path, refusedFolder_)) {
                throw Error(kAccessDenied, Cause::AccountMayNotWrite);
            }
            failWrite(path);
        }
        return std::make_unique<Win32File>(handle);
    }

    void replace(const std::string& from, const std::string& target) override {
        // Windows refuses a read-only target by itself; Wine does not, so ask first.
        if (isReadOnlyFile(target)) {
            throw Error(kAccessDenied);
        }
        if (!MoveFileExW(LongWidePath(from).c_str(), LongWidePath(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            failWrite(target);
        }
    }

private:
    // The last folder that the system refused to create, where no virtual store took it.
    std::string refusedFolder_;
};

}  // namespace

FileSystem& systemFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

}  // namespace quillory
