#include "app/toolkit/TComboBox.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

std::string TComboBox::Items(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

void TComboBox::Add(const std::string& text) {
    items_.push_back(text);
#ifdef _WIN32
    if (handle_) {
        SendMessageA(static_cast<HWND>(handle_), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
    }
#endif
}

void TComboBox::SetItem(int index, const std::string& text) {
    if (index < 0 || index >= Count()) {
        return;
    }
    items_[static_cast<std::size_t>(index)] = text;
#ifdef _WIN32
    if (handle_) {
        // Entries are drawn from items_; the native copy only keeps them readable by
        // accessibility tools. Replacing it clears the native selection, so set it again.
        const auto hwnd = static_cast<HWND>(handle_);
        SendMessageA(hwnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(hwnd, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    }
#endif
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
#ifdef _WIN32
    if (handle_) {
        SendMessageA(static_cast<HWND>(handle_), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    }
#endif
}

void TComboBox::UserSelected(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    itemIndex_ = index;
    if (OnChange) {
        OnChange();
    }
}

void TComboBox::Refresh() {
#ifdef _WIN32
    if (handle_) {
        const auto hwnd = static_cast<HWND>(handle_);
        SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::string& text : items_) {
            SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    }
#endif
}

}  // namespace quillory
