#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A static text that sizes itself to its caption.
class TLabel : public TControl {
public:
    TLabel(TForm& form, int id, Place place, const std::string& caption = {}, int fontHeight = 0)
        : TControl(form, id, place, false), FontHeight(fontHeight) {
        widget->SetText(caption);
    }
    TLabel(TPanel& panel, Place place, const std::string& caption, int fontHeight = 0)
        : TControl(panel, 0, place, false), FontHeight(fontHeight) {
        widget->SetText(caption);
    }

    // Cell height in pixels of the label's own font; 0 for the form's font.
    const int FontHeight;

    std::string Caption() const { return widget->Text(); }
    void SetCaption(const std::string& caption) { widget->SetText(caption); }

    WidgetSlot<TextWidget, PlainText> widget;
};

}  // namespace quillory
