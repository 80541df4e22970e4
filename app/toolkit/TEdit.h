#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A single-line edit without a length limit.
class TEdit : public TControl {
public:
    TEdit(TForm& form, int id, Place place) : TControl(form, id, place, true) {}

    // What the edit holds now, as the user typed it, in UTF-8.
    std::string Text() const { return widget->Text(); }
    void SetText(const std::string& text) { widget->SetText(text); }
    // Gives the edit the keyboard focus.
    void SetFocus() { widget->Focus(); }

    WidgetSlot<TextWidget, PlainText> widget;
};

}  // namespace quillory
