#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A single-line edit without a length limit.
class TEdit : public TControl {
public:
    using TControl::TControl;

    // What the edit holds now, as the user typed it.
    std::string Text() const;
    void SetText(const std::string& text);

private:
    std::string text_;  // used while there is no native edit
};

}  // namespace quillory
