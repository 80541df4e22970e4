#pragma once

// What a test prepares around the program: a game folder, the game's installation record in
// the registry, and the files on disk that it checks afterwards. Plain Win32, nothing of the
// program's own code.
#include <optional>
#include <string>
#include <vector>

namespace quillory::e2e {

// A fresh folder below the Windows temporary folder, removed with everything in it at the end.
// Its path holds a space and ends in a backslash.
class TempFolder {
public:
    explicit TempFolder(const std::string& purpose);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in "\".
    const std::string& dir() const { return dir_; }
    // `relative` with backslashes.
    std::string path(const std::string& relative) const { return dir_ + relative; }

private:
    std::string dir_;
};

// Files, by full Windows path.
std::optional<std::string> readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
bool dirExists(const std::string& path);
void makeDirs(const std::string& path);
void setReadOnly(const std::string& path, bool readOnly);
// The names in a folder (not "." and ".."), sorted, as the file system spells them.
std::vector<std::string> listFolder(const std::string& path);
// Removes a folder and everything below it; read-only files too.
void removeTree(const std::string& path);

// The game's installation record, HKLM\SOFTWARE\Origin Systems\Wing Commander Secret Ops in
// the 32-bit view, as its setup leaves it, written with reg.exe.
namespace install_record {
// The value "Installed To:" of the given reg.exe type ("REG_SZ", "REG_EXPAND_SZ", "REG_DWORD").
void set(const std::string& type, const std::string& data);
// The key alone, without the value.
void keyOnly();
// No key at all.
void remove();
}  // namespace install_record

// A Unix path of the build as Wine shows it to Windows programs (drive Z:).
std::string windowsPath(const std::string& unixPath);

}  // namespace quillory::e2e
