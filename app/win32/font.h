#pragma once

#include <map>
#include <memory>
#include <utility>

#include <windows.h>

namespace quillory {

// A regular GDI font of the forms, deleted with its owner: the design's "MS Sans Serif" at 96
// dots per inch, where its bitmaps are drawn for; on a screen of another scale "Tahoma", whose
// outlines stay sharp at any size.
class Font {
public:
    // `cellHeight`: the height of a character cell in the design's pixels (13 for the common
    // 8-point size), drawn at `dpi`.
    Font(int cellHeight, int dpi);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

// The fonts of a window, one for each cell height and scale asked for, made when first asked for.
class Fonts {
public:
    HFONT For(int cellHeight, int dpi);

private:
    std::map<std::pair<int, int>, std::unique_ptr<Font>> fonts_;
};

}  // namespace quillory
