#pragma once

#include <functional>
#include <string>

namespace quillory {

// An item of the form's menu bar, or of the drop-down under one.
class TMenuItem {
public:
    TMenuItem(int id, std::string caption) : Id(id), Caption(std::move(caption)) {}

    const int Id;  // the command id of a drop-down's item; 0 for a top-level item
    const std::string Caption;
    std::function<void()> OnClick;

    void Click() {
        if (OnClick) {
            OnClick();
        }
    }
};

}  // namespace quillory
