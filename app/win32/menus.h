#pragma once

#include <map>

#include <windows.h>

#include "app/toolkit/TMainMenu.h"

namespace quillory {

// The native menu bar of a form's menu, with the shortcuts of its items.
class MenuBar {
public:
    // Makes the bar and its drop-downs, and puts the native items in charge of their state.
    explicit MenuBar(const TMainMenu& menu);
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // For the form's window, which destroys it with itself.
    HMENU handle() const { return bar_; }
    // The keys of the items' shortcuts, for the message loop.
    HACCEL accelerators() const { return accelerators_; }
    // The item of the menu bar whose drop-down this is; null for another menu.
    TMenuItem* ItemWithPopup(HMENU popup) const;
    // The native menu is gone with the window: the items keep their last state.
    void Detach();

private:
    const TMainMenu& menu_;
    HMENU bar_;
    HACCEL accelerators_ = nullptr;
    std::map<HMENU, TMenuItem*> popups_;
};

}  // namespace quillory
