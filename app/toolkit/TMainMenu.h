#pragma once

#include <vector>

#include "app/toolkit/TMenuItem.h"

namespace quillory {

// The menu bar of a form.
class TMainMenu {
public:
    explicit TMainMenu(std::vector<TMenuItem*> items) : Items(std::move(items)) {}

    const std::vector<TMenuItem*> Items;

    // The item of a drop-down with this command id; null when there is none.
    TMenuItem* ItemWithId(int id) const {
        for (TMenuItem* top : Items) {
            for (TMenuItem* item : top->Items) {
                if (item != nullptr && item->Id == id) {
                    return item;
                }
            }
        }
        return nullptr;
    }
};

}  // namespace quillory
