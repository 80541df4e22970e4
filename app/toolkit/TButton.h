#pragma once

#include <functional>
#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A push button; with a glyph it shows the image left of its caption.
class TButton : public TControl {
public:
    enum class Kind {
        Push,    // a plain button
        Bitmap,  // a button with an image
        Speed,   // a button with an image that never takes the keyboard focus
    };

    TButton(std::string name, Kind kind, std::string caption, int left, int top, int width,
            int height)
        : TControl(std::move(name), left, top, width, height),
          ButtonKind(kind),
          Caption(std::move(caption)) {}

    const Kind ButtonKind;
    const std::string Caption;
    bool Default = false;   // pressed by Enter
    int GlyphResource = 0;  // bitmap resource id, 0 for none
    int NumGlyphs = 1;      // 2: the bitmap holds the normal and the disabled image side by side

    std::function<void()> OnClick;
    // Called by the window code when the button is pressed.
    void Click() {
        if (OnClick) {
            OnClick();
        }
    }
};

}  // namespace quillory
