#pragma once

#include <map>
#include <memory>

#include <windows.h>

namespace quillory {

// A regular "MS Sans Serif" GDI font, deleted with its owner.
class Font {
public:
    // `cellHeight`: the height of a character cell in pixels (13 for the common 8-point size).
    explicit Font(int cellHeight);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

// The fonts of a window, one for each cell height asked for, made when first asked for.
class Fonts {
public:
    HFONT For(int cellHeight);

private:
    std::map<int, std::unique_ptr<Font>> fonts_;
};

}  // namespace quillory
