#pragma once

#include <map>
#include <memory>
#include <vector>

#include <windows.h>

#include "app/toolkit/TMainMenu.h"

namespace quillory {

// The native menu bar of a form's menu, with the shortcuts of its items. Its items hold their
// state from the moment it is made until Detach.
class MenuBar {
public:
    explicit MenuBar(const TMainMenu& menu);
    // Destroys the bar too unless a window took it and is gone (Detach).
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // For the form's window, which destroys it with itself.
    HMENU handle() const { return bar_; }
    // The keys of the items' shortcuts, for the message loop.
    HACCEL accelerators() const { return accelerators_; }
    // The item of the menu bar whose drop-down this is; null for another menu.
    TMenuItem* ItemWithPopup(HMENU popup) const;
    // The native menu is gone with its window: the items keep their last state.
    void Detach();

private:
    class NativeItem;

    HMENU bar_;
    HACCEL accelerators_ = nullptr;
    std::map<HMENU, TMenuItem*> popups_;
    std::vector<std::unique_ptr<NativeItem>> items_;
};

}  // namespace quillory
