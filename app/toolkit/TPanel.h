#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

// A bevelled area holding other controls, whose places are relative to it.
class TPanel : public TControl {
public:
    using TControl::TControl;
};

}  // namespace quillory
