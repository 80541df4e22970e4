#include "game/previous_voices.h"

#include <cstdint>
#include <cstdio>

#include "game/slots.h"
#include "platform/error.h"

namespace quillory {
namespace {

constexpr char kProgramFolder[] = "\\Quillory";
constexpr char kVoicesFolder[] = "\\Previous voices\\";
constexpr std::size_t kReadableLength = 40;
// A write or a renumbering that failed half-way may leave one more voice than are kept, and the
// next write adds one: the numbers looked at.
constexpr int kNumbersLooked = kPreviousVoicesKept + 2;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Readable(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '.' || c == '-' || c == '_';
}

// The content of `from` in the place of `to`, through the replacing write.
void CopyReplacing(FileSystem& fs, const std::string& from, const std::string& to) {
    const std::string bytes = readWholeFile(fs, from);
    writeReplacing(fs, to, [&](File& file) { file.write(bytes); });
}

}  // namespace

std::string PreviousVoicesFolder(const std::string& dataFolder, const std::string& gameDir) {
    std::string path = gameDir;
    while (!path.empty() && IsSeparator(path.back())) {
        path.pop_back();
    }
    // Names match without regard to case: so do the paths of one game.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : path) {
        hash = (hash ^ static_cast<unsigned char>(IsSeparator(c) ? '\\' : Lower(c))) *
               1099511628211ull;
    }
    std::size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1])) {
        --start;
    }
    std::string readable;
    for (std::size_t i = start; i < path.size() && readable.size() < kReadableLength; ++i) {
        readable += Readable(path[i]) ? path[i] : '_';
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return dataFolder + kProgramFolder + kVoicesFolder + (readable.empty() ? "game" : readable) +
           "-" + hex + "\\";
}

std::string PreviousVoices::Path(int slot, int number) const {
    return folder_ + "007400" + speechFileNumber(slot) + "-" + std::to_string(number) + ".iff";
}

bool PreviousVoices::Has(int slot) const {
    if (folder_.empty()) {
        return false;
    }
    for (int number = 1; number <= kNumbersLooked; ++number) {
        if (game_.fs().fileExists(Path(slot, number))) {
            return true;
        }
    }
    return false;
}

int PreviousVoices::Compact(int slot) const {
    FileSystem& fs = game_.fs();
    int count = 0;
    for (int number = 1; number <= kNumbersLooked; ++number) {
        if (!fs.fileExists(Path(slot, number))) {
            continue;
        }
        ++count;
        if (number != count) {
            fs.replace(Path(slot, number), Path(slot, count));
        }
    }
    return count;
}

void PreviousVoices::MakeFolders() const {
    FileSystem& fs = game_.fs();
    for (std::size_t at = folder_.find_first_of("\\/", 1); at != std::string::npos;
         at = folder_.find_first_of("\\/", at + 1)) {
        const std::string folder = folder_.substr(0, at);
        if (!folder.empty() && !IsSeparator(folder.back()) && !fs.dirExists(folder)) {
            fs.createDirectory(folder);
        }
    }
}

void PreviousVoices::Keep(int slot) const {
    FileSystem& fs = game_.fs();
    const std::string voice = game_.SpeechFile(slot);
    if (!fs.fileExists(voice)) {
        return;
    }
    if (folder_.empty()) {
        throw Error(kPathNotFound);
    }
    MakeFolders();
    int count = Compact(slot);
    CopyReplacing(fs, voice, Path(slot, ++count));
    // The oldest go; the others take their numbers from 1.
    for (int number = 1; count > kPreviousVoicesKept; ++number, --count) {
        fs.deleteFile(Path(slot, number));
    }
    Compact(slot);
}

void PreviousVoices::Restore(int slot) const {
    FileSystem& fs = game_.fs();
    const int count = folder_.empty() ? 0 : Compact(slot);
    if (count == 0) {
        return;
    }
    const std::string newest = Path(slot, count);
    const std::string replaced = Path(slot, count + 1);
    const std::string voice = game_.SpeechFile(slot);
    const bool hadVoice = fs.fileExists(voice);
    if (hadVoice) {
        CopyReplacing(fs, voice, replaced);
    }
    try {
        game_.MakeSpeechFolders();
        CopyReplacing(fs, newest, voice);
    } catch (...) {
        fs.deleteFile(replaced);
        throw;
    }
    // The voice now in the game leaves the earlier ones; the one it replaced is the newest.
    if (hadVoice) {
        fs.replace(replaced, newest);
    } else if (!fs.deleteFile(newest)) {
        throw Error(kAccessDenied);
    }
}

}  // namespace quillory
