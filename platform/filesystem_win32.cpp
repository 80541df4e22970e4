// The file system through the Win32 API: ANSI names for the game's paths, as the registry
// gives them; UTF-16 for the files the user picks.
#include <windows.h>

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

[[noreturn]] void fail() { throw Error(codeOf(GetLastError())); }

DWORD attributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool isReadOnlyFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
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

    bool userDirExists(const std::string& utf8Path) override {
        const DWORD attributes = GetFileAttributesW(LongWidePath(utf8Path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool createDirectory(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != 0;
    }

    bool removeDirectory(const std::string& path) override {
        return RemoveDirectoryA(path.c_str()) != 0;
    }

    bool deleteFile(const std::string& path) override {
        return !isReadOnlyFile(path) && DeleteFileA(path.c_str()) != 0;
    }

    std::unique_ptr<File> openRead(const std::string& path) override {
        const HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            fail();
        }
        return std::make_unique<Win32File>(handle);
    }

    std::unique_ptr<File> openUserFile(const std::string& utf8Path) override {
        const HANDLE handle = CreateFileW(LongWidePath(utf8Path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            fail();
        }
        return std::make_unique<Win32File>(handle);
    }

    std::unique_ptr<File> create(const std::string& path) override {
        if (isReadOnlyFile(path)) {
            throw Error(kAccessDenied);
        }
        const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            fail();
        }
        return std::make_unique<Win32File>(handle);
    }

    void replace(const std::string& from, const std::string& target) override {
        // Windows refuses a read-only target by itself; Wine does not, so ask first.
        if (isReadOnlyFile(target)) {
            throw Error(kAccessDenied);
        }
        if (!MoveFileExA(from.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            fail();
        }
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

}  // namespace quillory
