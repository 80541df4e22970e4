#include "tests/support/game_folder.h"

#include "platform/filesystem.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quillory::test {
namespace {

fs::path native(const std::string& path) {
    std::string converted = path;
#ifndef _WIN32
    std::replace(converted.begin(), converted.end(), '\\', '/');
#endif
    return fs::path(converted);
}

}  // namespace

GameFolder::GameFolder() {
    static std::atomic<int> counter{0};
    // A folder of that name that an earlier process (of the same number) could not remove is
    // passed over.
    fs::path dir;
    std::error_code ignored;
    do {
        dir = fs::temp_directory_path() /
              ("quillory-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(dir, ignored);
    } while (fs::exists(dir));
    fs::create_directories(dir);
    dir_ = dir.string();
#ifdef _WIN32
    dir_ += '\\';
#else
    dir_ += '/';
#endif
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(native(dir_), ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(native(dir_), ignored);
}

std::string GameFolder::path(const std::string& relative) const { return dir_ + relative; }

std::string GameFolder::read(const std::string& relative) const {
    // Names match without regard to case, as for the program.
    return readWholeFile(systemFileSystem(), path(relative));
}

void GameFolder::write(const std::string& relative, const std::string& bytes) const {
    std::ofstream out(native(path(relative)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + relative);
    }
}

void GameFolder::makeDir(const std::string& relative) const {
    fs::create_directories(native(path(relative)));
}

bool GameFolder::exists(const std::string& relative) const {
    return systemFileSystem().fileExists(path(relative)) ||
           systemFileSystem().dirExists(path(relative));
}

void GameFolder::setReadOnly(const std::string& relative, bool readOnly) const {
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(native(path(relative)), write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

std::string GameFolder::listing(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(native(path(relative)))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

}  // namespace quillory::test
