#include "tests/e2e/setup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "tests/e2e/driver.h"

namespace quillory::e2e {
namespace {

constexpr char kInstallKey[] = "HKLM\\SOFTWARE\\Origin Systems\\Wing Commander Secret Ops";

void reg(const std::vector<std::string>& arguments, bool mustSucceed = true) {
    std::string commandLine = "reg.exe";
    for (const std::string& argument : arguments) {
        commandLine += " " + quoteArgument(argument);
    }
    const int code = runCommand(commandLine + " /reg:32");
    if (mustSucceed) {
        EXPECT_EQ(code, 0) << commandLine;
    }
}

}  // namespace

TempFolder::TempFolder(const std::string& purpose) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "quillory e2e " + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++) + "\\" + purpose + "\\";
    removeTree(dir_);
    makeDirs(dir_);
}

TempFolder::~TempFolder() {
    // The parent folder made for this one goes too.
    const std::string parent = dir_.substr(0, dir_.rfind('\\', dir_.size() - 2));
    removeTree(parent);
}

std::optional<std::string> readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << "cannot write " << path;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool dirExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void makeDirs(const std::string& path) {
    for (std::size_t end = path.find('\\', 3); end != std::string::npos;
         end = path.find('\\', end + 1)) {
        CreateDirectoryA(path.substr(0, end).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

void setReadOnly(const std::string& path, bool readOnly) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(),
                                   readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL))
        << path;
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void removeTree(const std::string& path) {
    std::string dir = path;
    while (!dir.empty() && dir.back() == '\\') {
        dir.pop_back();
    }
    for (const std::string& name : listFolder(dir)) {
        const std::string child = dir + "\\" + name;
        if (dirExists(child)) {
            removeTree(child);
        } else {
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(child.c_str());
        }
    }
    RemoveDirectoryA(dir.c_str());
}

namespace install_record {

void set(const std::string& type, const std::string& data) {
    // /f replaces an earlier value of any type.
    reg({"add", kInstallKey, "/v", "Installed To:", "/t", type, "/d", data, "/f"});
}

void keyOnly() {
    remove();
    reg({"add", kInstallKey, "/f"});
}

void remove() { reg({"delete", kInstallKey, "/f"}, false); }

}  // namespace install_record

std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace quillory::e2e
