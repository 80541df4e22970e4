#include "app/win32/font.h"

namespace quillory {

Font::Font(int cellHeight)
    : font_(CreateFontW(cellHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif")) {}

Font::~Font() {
    if (font_) {
        DeleteObject(font_);
    }
}

}  // namespace quillory

namespace quillory {

HFONT Fonts::For(int cellHeight) {
    std::unique_ptr<Font>& font = fonts_[cellHeight];
    if (!font) {
        font = std::make_unique<Font>(cellHeight);
    }
    return font->handle();
}

}  // namespace quillory
