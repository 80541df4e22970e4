#include "app/win32/font.h"

#include "app/toolkit/scale.h"

namespace quillory {

Font::Font(int cellHeight, int dpi)
    : font_(CreateFontW(Scaled(cellHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE,
                        dpi == kDesignDpi ? L"MS Sans Serif" : L"Tahoma")) {}

Font::~Font() {
    if (font_) {
        DeleteObject(font_);
    }
}

HFONT Fonts::For(int cellHeight, int dpi) {
    std::unique_ptr<Font>& font = fonts_[{cellHeight, dpi}];
    if (!font) {
        font = std::make_unique<Font>(cellHeight, dpi);
    }
    return font->handle();
}

}  // namespace quillory
