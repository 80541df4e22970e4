#pragma once

#include <functional>
#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A bitmap resource of the program shown on a button; with two glyphs it holds the normal
// image and the one of the disabled button side by side.
struct TGlyph {
    int Resource = 0;  // none
    int Count = 1;
};

// A push button; with a glyph it shows the image left of its caption.
class TButton : public TControl {
public:
    enum class Kind {
        Push,     // a plain button
        Default,  // a plain button that Enter presses
        Bitmap,   // a button with an image
        Speed,    // a button with an image that never takes the keyboard focus
    };
    TButton(TForm& form, int id, Place place, std::string caption, Kind kind = Kind::Push,
            TGlyph glyph = {})
        : TControl(form, id, place, kind != Kind::Speed),
          Caption(std::move(caption)),
          ButtonKind(kind),
          Image(glyph) {}

    const std::string Caption;
    const Kind ButtonKind;
    const TGlyph Image;

    std::function<void()> OnClick;
    // Called by the window code when the button is pressed.
    void Click() {
        if (OnClick) {
            OnClick();
        }
    }
};

}  // namespace quillory
