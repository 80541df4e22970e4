#include "app/win32/menus.h"

#include <vector>

namespace quillory {
namespace {

class NativeMenuItem : public EnabledWidget {
public:
    NativeMenuItem(HMENU menu, UINT id, bool enabled) : menu_(menu), id_(id) {
        SetEnabled(enabled);
    }
    bool Enabled() const override {
        return (GetMenuState(menu_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    void SetEnabled(bool enabled) override {
        EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }

private:
    HMENU menu_;
    UINT id_;
};

// "Ctrl+P" or "Esc" as the key of an accelerator; false for anything else.
bool KeyOf(const std::string& shortcut, ACCEL& key) {
    const std::string ctrl = "Ctrl+";
    if (shortcut == "Esc") {
        key.fVirt = FVIRTKEY;
        key.key = VK_ESCAPE;
        return true;
    }
    if (shortcut.size() == ctrl.size() + 1 && shortcut.compare(0, ctrl.size(), ctrl) == 0 &&
        shortcut.back() >= 'A' && shortcut.back() <= 'Z') {
        key.fVirt = FVIRTKEY | FCONTROL;
        key.key = static_cast<WORD>(shortcut.back());
        return true;
    }
    return false;
}

}  // namespace

MenuBar::MenuBar(const TMainMenu& menu) : menu_(menu), bar_(CreateMenu()) {
    std::vector<ACCEL> keys;
    for (TMenuItem* top : menu.Items) {
        HMENU popup = CreatePopupMenu();
        for (TMenuItem* item : top->Items) {
            if (item == nullptr) {
                AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const std::string text =
                item->ShortCut.empty() ? item->Caption : item->Caption + "\t" + item->ShortCut;
            AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item->Id), text.c_str());
            item->widget.Attach(std::make_unique<NativeMenuItem>(popup, static_cast<UINT>(item->Id),
                                                                 item->Enabled()));
            ACCEL key{};
            if (KeyOf(item->ShortCut, key)) {
                key.cmd = static_cast<WORD>(item->Id);
                keys.push_back(key);
            }
        }
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), top->Caption.c_str());
        popups_[popup] = top;
    }
    if (!keys.empty()) {
        accelerators_ = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
    }
}

MenuBar::~MenuBar() {
    if (accelerators_) {
        DestroyAcceleratorTable(accelerators_);
    }
}

TMenuItem* MenuBar::ItemWithPopup(HMENU popup) const {
    const auto found = popups_.find(popup);
    return found == popups_.end() ? nullptr : found->second;
}

void MenuBar::Detach() {
    for (TMenuItem* top : menu_.Items) {
        for (TMenuItem* item : top->Items) {
            if (item != nullptr) {
                item->widget.Detach();
            }
        }
    }
}

}  // namespace quillory
