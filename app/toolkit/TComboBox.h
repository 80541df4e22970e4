#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

// A drop-down list without an edit field. Its entries live here; the native list shows them.
class TComboBox : public TControl {
public:
    using TControl::TControl;

    int Count() const { return static_cast<int>(items_.size()); }
    // The entry's text; an empty text outside the list.
    std::string Items(int index) const;
    void Add(const std::string& text);
    // Replaces the entry's text; the selection stays where it was.
    void SetItem(int index, const std::string& text);

    int ItemIndex() const { return itemIndex_; }
    // Selects from code: OnChange does not run.
    void SetItemIndex(int index);

    // Run when the user changes the selection.
    std::function<void()> OnChange;
    // Called by the window code when the user picked an entry.
    void UserSelected(int index);

    // Mirrors every entry and the selection into a newly attached native list.
    void Refresh();

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

}  // namespace quillory
