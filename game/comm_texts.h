#pragma once

// The communication text file of the game's folder: loaded whole or not at all, created from
// the default texts when there is none, and saved through a temporary file so that a failed
// save leaves the old file as it was. The file holds its texts in the system's ANSI code page;
// the program holds them in UTF-8, and this is where they pass from one to the other.
#include <functional>
#include <string>

#include "formats/commfile.h"
#include "game/game_directory.h"

namespace quillory {

// The 40 default texts under the default header: what the file is created with.
CommFile DefaultCommFile();

// Reads the file. When there is none, creates its folders, hands the defaults to `creating`
// (the window shows them from then on), writes them and reads them back. Fails with the error
// of the failing step; nothing is kept of a file that could not be read whole.
// `bytes`, when given, gets the file's bytes as read.
CommFile LoadCommFile(const GameDirectory& game,
                      const std::function<void(const CommFile& defaults)>& creating,
                      std::string* bytes = nullptr);

// Writes the header and the 40 texts, with the header's sizes filled in, in place of the file.
// Returns the bytes written.
std::string SaveCommFile(const GameDirectory& game, const std::string& header,
                         const CommTexts& texts);

// A text as the file would hold it, in UTF-8 (a letter and its combining accent become the one
// accented letter), or the characters that the file cannot hold, each once, in order.
struct StorableText {
    std::string text;
    std::string unstorable;
};
StorableText StorableOf(const std::string& text);

}  // namespace quillory
