#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

// A raised frame drawn around a group of controls.
class TBevel : public TControl {
public:
    TBevel(TForm& form, Place place) : TControl(form, 0, place, false) {}
};

}  // namespace quillory
