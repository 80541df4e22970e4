#pragma once

#include <string>

namespace quillory::test {

// A fresh, empty folder for one test, removed when the test ends. Its path ends in the
// separator that the game's paths expect after the game's folder.
class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::string& dir() const { return dir_; }
    // `relative` uses backslashes, as the game's paths do.
    std::string path(const std::string& relative) const;

    // Reads and tests names without regard to case, as the program does.
    std::string read(const std::string& relative) const;
    void write(const std::string& relative, const std::string& bytes) const;
    void makeDir(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    void setReadOnly(const std::string& relative, bool readOnly) const;
    // Names in the folder `relative`, sorted.
    std::string listing(const std::string& relative) const;

private:
    std::string dir_;
};

}  // namespace quillory::test
