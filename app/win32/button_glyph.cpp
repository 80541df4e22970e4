#include "app/win32/button_glyph.h"

namespace quillory {
namespace {

// The button states in the order of an image list that has one image for each: normal, hot,
// pressed, disabled, defaulted, stylus hot.
constexpr int kStateCount = 6;
constexpr int kDisabledState = 3;

// A memory device context with a bitmap selected, restored and deleted at the end.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
    ~BitmapDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;

    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

HIMAGELIST SetButtonGlyph(HWND button, int resource, int glyphCount) {
    if (resource == 0) {
        return nullptr;
    }
    const auto glyphs =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!glyphs) {
        return nullptr;
    }
    BITMAP size{};
    GetObjectA(glyphs, sizeof size, &size);
    const int count = glyphCount > 1 ? glyphCount : 1;
    const int width = size.bmWidth / count;
    const int height = size.bmHeight;

    // Lay out one image for each button state: the disabled one where the bitmap has it, the
    // normal one everywhere else.
    HDC screen = GetDC(nullptr);
    const HBITMAP strip = CreateCompatibleBitmap(screen, width * kStateCount, height);
    ReleaseDC(nullptr, screen);
    COLORREF transparent = 0;
    {
        BitmapDc source(glyphs);
        BitmapDc target(strip);
        transparent = GetPixel(source.dc(), 0, height - 1);
        for (int state = 0; state < kStateCount; ++state) {
            const int glyph = state == kDisabledState && count > 1 ? 1 : 0;
            BitBlt(target.dc(), state * width, 0, width, height, source.dc(), glyph * width, 0,
                   SRCCOPY);
        }
    }
    DeleteObject(glyphs);

    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, kStateCount, 0);
    ImageList_AddMasked(images, strip, transparent);
    DeleteObject(strip);

    BUTTON_IMAGELIST shown{};
    shown.himl = images;
    shown.margin = RECT{4, 0, 0, 0};
    shown.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&shown));
    return images;
}

}  // namespace quillory
