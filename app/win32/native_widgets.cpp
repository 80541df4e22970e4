#include "app/win32/native_widgets.h"

#include <commctrl.h>

namespace quillory {
namespace {

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

std::string NativeLabel::Text() const { return WindowText(label_); }

void NativeLabel::SetText(const std::string& caption) {
    SetWindowTextA(label_, caption.c_str());
    HDC dc = GetDC(label_);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(label_, dc);
    // An empty label keeps a sliver of width, as at design time.
    SetWindowPos(label_, nullptr, 0, 0, caption.empty() ? 3 : extent.cx, metrics.tmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(GetParent(label_), nullptr, TRUE);
}

std::string NativeEdit::Text() const { return WindowText(edit_); }

void NativeEdit::SetText(const std::string& text) { SetWindowTextA(edit_, text.c_str()); }

NativeComboBox::NativeComboBox(HWND list, const TComboBox::Widget& from) : list_(list) {
    for (int i = 0; i < from.Count(); ++i) {
        Add(from.Item(i));
        SetMarked(i, from.Marked(i));
    }
    SetItemIndex(from.ItemIndex());
}

void NativeComboBox::Add(const std::string& text) {
    texts_.push_back(text);
    SendMessageA(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void NativeComboBox::SetItem(int index, const std::string& text) {
    texts_[static_cast<std::size_t>(index)] = text;
    // Replacing the native entry clears the native selection and the entry's mark: set them
    // again.
    const int selected = ItemIndex();
    const bool marked = Marked(index);
    SendMessageA(list_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list_, CB_SETITEMDATA, static_cast<WPARAM>(index), marked);
    SetItemIndex(selected);
}

int NativeComboBox::ItemIndex() const {
    return static_cast<int>(SendMessageA(list_, CB_GETCURSEL, 0, 0));
}

void NativeComboBox::SetItemIndex(int index) {
    SendMessageA(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool NativeComboBox::Marked(int index) const {
    return SendMessageA(list_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void NativeComboBox::SetMarked(int index, bool marked) {
    SendMessageA(list_, CB_SETITEMDATA, static_cast<WPARAM>(index), marked);
    // The closed field and the open list draw it anew.
    InvalidateRect(list_, nullptr, FALSE);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(list_, &info) && info.hwndList) {
        InvalidateRect(info.hwndList, nullptr, FALSE);
    }
}

int NativeProgressBar::Position() const {
    return static_cast<int>(SendMessageA(bar_, PBM_GETPOS, 0, 0));
}

void NativeProgressBar::SetPosition(int position) {
    SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    UpdateWindow(bar_);
}

int NativeProgressBar::Max() const {
    return static_cast<int>(SendMessageA(bar_, PBM_GETRANGE, FALSE, 0));
}

void NativeProgressBar::SetMax(int max) {
    SendMessageA(bar_, PBM_SETRANGE32, 0, max);
    UpdateWindow(bar_);
}

NativeTimer::NativeTimer(HWND window, UINT_PTR id, unsigned interval, bool enabled)
    : window_(window), id_(id), interval_(interval) {
    SetEnabled(enabled);
}

void NativeTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        SetTimer(window_, id_, interval_, nullptr);
    } else {
        KillTimer(window_, id_);
    }
}

}  // namespace quillory
