#include "app/win32/menus.h"

#include "platform/wide_win32.h"

namespace quillory {
namespace {

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

class MenuBar::NativeItem : public EnabledWidget {
public:
    NativeItem(TMenuItem& item, HMENU menu) : item_(item), menu_(menu) {
        SetEnabled(item.Enabled());
        item.widget.Attach(*this);
    }
    ~NativeItem() override { Detach(); }
    void Detach() { item_.widget.Detach(); }
    bool Enabled() const override {
        return (GetMenuState(menu_, Id(), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    void SetEnabled(bool enabled) override {
        EnableMenuItem(menu_, Id(), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }

private:
    UINT Id() const { return static_cast<UINT>(item_.Id); }

    TMenuItem& item_;
    HMENU menu_;
};

MenuBar::MenuBar(const TMainMenu& menu) : bar_(CreateMenu()) {
    std::vector<ACCEL> keys;
    for (TMenuItem* top : menu.Items) {
        HMENU popup = CreatePopupMenu();
        for (TMenuItem* item : top->Items) {
            if (item == nullptr) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const std::string text =
                item->ShortCut.empty() ? item->Caption : item->Caption + "\t" + item->ShortCut;
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item->Id), WideOf(text).c_str());
            items_.push_back(std::make_unique<NativeItem>(*item, popup));
            ACCEL key{};
            if (KeyOf(item->ShortCut, key)) {
                key.cmd = static_cast<WORD>(item->Id);
                keys.push_back(key);
            }
        }
        AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    WideOf(top->Caption).c_str());
        popups_[popup] = top;
    }
    if (!keys.empty()) {
        accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    }
}

MenuBar::~MenuBar() {
    Detach();
    if (bar_) {
        DestroyMenu(bar_);
    }
    if (accelerators_) {
        DestroyAcceleratorTable(accelerators_);
    }
}

TMenuItem* MenuBar::ItemWithPopup(HMENU popup) const {
    const auto found = popups_.find(popup);
    return found == popups_.end() ? nullptr : found->second;
}

void MenuBar::Detach() {
    for (const auto& item : items_) {
        item->Detach();
    }
    bar_ = nullptr;
}

}  // namespace quillory
