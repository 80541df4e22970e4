#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

// A bevelled area; the controls placed on it take their places relative to it.
class TPanel : public TControl {
public:
    TPanel(TForm& form, Place place) : TControl(form, 0, place, false), Form(form) {}

    TForm& Form;
};

}  // namespace quillory
