#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

// An item of the form's menu bar, or of the drop-down under one. A top-level item's OnClick
// runs as its drop-down opens: the time to set its items' state.
class TMenuItem {
public:
    // An item of a drop-down, with its command id. `shortcut` is the key that chooses it too,
    // "Ctrl+" and a letter or "Esc", shown beside the caption; empty for none.
    TMenuItem(int id, std::string caption, std::string shortcut = {})
        : Id(id), Caption(std::move(caption)), ShortCut(std::move(shortcut)) {}
    // An item of the menu bar with the items of its drop-down; null stands for a separator.
    TMenuItem(std::string caption, std::vector<TMenuItem*> items)
        : Id(0), Caption(std::move(caption)), Items(std::move(items)) {}

    const int Id;
    const std::string Caption;
    const std::string ShortCut;
    const std::vector<TMenuItem*> Items;
    std::function<void()> OnClick;

    void Click() {
        if (OnClick) {
            OnClick();
        }
    }

    // A disabled item is greyed and cannot be chosen.
    bool Enabled() const { return widget->Enabled(); }
    void SetEnabled(bool enabled) { widget->SetEnabled(enabled); }

    WidgetSlot<EnabledWidget, PlainEnabled<true>> widget;
};

}  // namespace quillory
