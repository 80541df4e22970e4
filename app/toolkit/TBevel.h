#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

// A raised frame drawn around a group of controls.
class TBevel : public TControl {
public:
    using TControl::TControl;
};

}  // namespace quillory
