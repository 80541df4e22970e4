#pragma once

// Text between UTF-8, in which the program holds every text, and the system's ANSI code page, in
// which the game's communication text file holds its texts. Only the reading and writing of
// that file, and the check of what a text may hold, convert.
#include <string>

namespace quillory {

struct AnsiText {
    std::string bytes;       // the text in the ANSI code page, where it can hold every character
    std::string unstorable;  // UTF-8: each character that the code page cannot hold, once, in order
};

// A base character followed by combining marks becomes the code page's composed character
// where it has one ("e" + U+0301 is "é").
AnsiText AnsiOf(const std::string& utf8);
std::string Utf8OfAnsi(const std::string& ansi);

}  // namespace quillory
