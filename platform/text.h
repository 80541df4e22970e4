#pragma once

// Text between UTF-8, in which the program's edit and boxes hold it, and the system's ANSI code
// page, in which the game's texts and folder names are bytes.
#include <string>

namespace quillory {

struct AnsiText {
    std::string bytes;       // the text in the ANSI code page, where it can hold every character
    std::string unstorable;  // UTF-8: each character that the code page cannot hold, once, in order
};

AnsiText AnsiOf(const std::string& utf8);
std::string Utf8OfAnsi(const std::string& ansi);

}  // namespace quillory
