#pragma once

#include <functional>
#include <string>

namespace quillory {

class TMenuItem {
public:
    TMenuItem(std::string name, std::string caption)
        : Name(std::move(name)), Caption(std::move(caption)) {}

    const std::string Name;
    const std::string Caption;
    std::function<void()> OnClick;

    void Click() {
        if (OnClick) {
            OnClick();
        }
    }
};

}  // namespace quillory
