#pragma once

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

}  // namespace quillory
