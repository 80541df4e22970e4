#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A text of several lines that the user reads but cannot change, wrapped at its width, with a
// vertical scroll bar. It takes no keyboard focus by Tab.
class TMemo : public TControl {
public:
    TMemo(TForm& form, int id, Place place) : TControl(form, id, place, false) {}

    std::string Text() const { return widget->Text(); }
    void SetText(const std::string& text) { widget->SetText(text); }

    WidgetSlot<TextWidget, PlainText> widget;
};

}  // namespace quillory
