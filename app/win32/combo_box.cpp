// The native window of TComboBox: an owner-drawn drop-down list without an edit field. At the
// right end of an entry's line stand its marks, each in a column of its own: a small speaker for
// a voice, a pencil left of it for a changed text.
#include <algorithm>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TComboBox.h"
#include "app/toolkit/scale.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

// The width of a mark's column in the design's pixels.
constexpr int kMarkWidth = 16;

// A pen `width` pixels wide and a brush of one colour, selected into a device context for as
// long as it lives.
class Ink {
public:
    Ink(HDC dc, COLORREF colour, int width)
        : dc_(dc),
          pen_(CreatePen(PS_SOLID, width, colour)),
          brush_(CreateSolidBrush(colour)),
          oldPen_(SelectObject(dc, pen_)),
          oldBrush_(SelectObject(dc, brush_)) {}
    ~Ink() {
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldPen_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

// A mark drawn from the design's points at the screen's scale, from the top left corner of the
// box that the mark takes, with lines one pixel wide for each whole 96 dots per inch.
class Mark {
public:
    Mark(HDC dc, int x, int y, int dpi, COLORREF colour)
        : dc_(dc), x_(x), y_(y), dpi_(dpi), ink_(dc, colour, LineWidth(dpi)) {}

    template <std::size_t N>
    void Polygon(const POINT (&points)[N]) const {
        const auto scaled = Scaled(points);
        ::Polygon(dc_, scaled.data(), static_cast<int>(N));
    }
    template <std::size_t N>
    void Polyline(const POINT (&points)[N]) const {
        const auto scaled = Scaled(points);
        ::Polyline(dc_, scaled.data(), static_cast<int>(N));
    }

private:
    template <std::size_t N>
    std::vector<POINT> Scaled(const POINT (&points)[N]) const {
        std::vector<POINT> scaled;
        for (const POINT& point : points) {
            scaled.push_back(
                {x_ + quillory::Scaled(point.x, dpi_), y_ + quillory::Scaled(point.y, dpi_)});
        }
        return scaled;
    }

    HDC dc_;
    int x_, y_, dpi_;
    Ink ink_;
};

// The top of a mark `height` design pixels high, centred on the line.
int MarkTop(const RECT& line, int height, int dpi) {
    return line.top + (line.bottom - line.top - Scaled(height, dpi)) / 2;
}

// A speaker with two sound waves, 12 by 10 pixels, in the mark column whose left edge is `x`.
void DrawSpeaker(HDC dc, int x, const RECT& line, int dpi, COLORREF colour) {
    const Mark mark(dc, x, MarkTop(line, 10, dpi), dpi, colour);
    mark.Polygon({{0, 3}, {2, 3}, {5, 0}, {5, 9}, {2, 6}, {0, 6}});
    mark.Polyline({{7, 3}, {8, 4}, {8, 6}, {7, 7}});
    mark.Polyline({{9, 1}, {11, 3}, {11, 6}, {9, 8}});
}

// A pencil, 11 by 11 pixels, point down to the left, in the mark column whose left edge is `x`.
void DrawPencil(HDC dc, int x, const RECT& line, int dpi, COLORREF colour) {
    const Mark mark(dc, x, MarkTop(line, 11, dpi), dpi, colour);
    // The shaft, a hollow band from the point up to the right, closed by the eraser's edge.
    mark.Polyline({{2, 7}, {8, 1}, {10, 3}, {4, 9}, {2, 7}});
    mark.Polyline({{7, 2}, {9, 4}});
    mark.Polygon({{2, 7}, {0, 10}, {4, 9}});
}

// Draws one entry as the list would: the background (the selection colour when selected), the
// text in the matching colour 2 pixels in from the left at the top, and the focus rectangle
// when the entry has the focus. The text does not run into a mark.
void DrawEntry(const DRAWITEMSTRUCT& item, const std::string& utf8, unsigned marks, HFONT font,
               int dpi) {
    const std::wstring text = WideOf(utf8);
    const HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int columns = marks & TComboBox::Changed ? 2 : marks & TComboBox::Voice ? 1 : 0;
    const int markWidth = Scaled(kMarkWidth, dpi);
    RECT textRect = rect;
    if (columns > 0) {
        textRect.right =
            std::max(textRect.left, textRect.right - columns * markWidth - Scaled(2, dpi));
    }
    // Every character is at least a pixel wide: no more of a long text can show.
    const auto shown = static_cast<int>(std::min<std::size_t>(
        text.size(), static_cast<std::size_t>(std::max<LONG>(0, rect.right - rect.left))));
    ExtTextOutW(dc, rect.left + Scaled(2, dpi), rect.top, ETO_CLIPPED, &textRect, text.data(),
                static_cast<UINT>(shown), nullptr);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    if (marks & TComboBox::Voice) {
        DrawSpeaker(dc, rect.right - markWidth + Scaled(1, dpi), rect, dpi, colour);
    }
    if (marks & TComboBox::Changed) {
        DrawPencil(dc, rect.right - 2 * markWidth + Scaled(1, dpi), rect, dpi, colour);
    }
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &rect);
    }
}

constexpr wchar_t kListProcedure[] = L"Quillory.ListProcedure";

// Wine's closed list hands Alt, F10, Alt+F4 and the menus' Alt+letter keys on to its own list
// window, where they reach neither the menu nor the close box: the window's default handling
// takes them, as on Windows. Alt+Up and Alt+Down still open and close the list. Every other
// message goes straight on to the list's own procedure, in UTF-16 as the list takes it (Wine
// fails on long entries of a list whose procedure takes ANSI; a subclass of common controls
// costs a fifth of the start-up, for all it passes on while the list is filled).
LRESULT CALLBACK SystemKeysProcedure(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto list = reinterpret_cast<WNDPROC>(GetPropW(combo, kListProcedure));
    if ((message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) &&
        wParam != VK_UP && wParam != VK_DOWN &&
        !CallWindowProcW(list, combo, CB_GETDROPPEDSTATE, 0, 0)) {
        return DefWindowProcW(combo, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list));
        RemovePropW(combo, kListProcedure);
    }
    return CallWindowProcW(list, combo, message, wParam, lParam);
}

// The selection and the marks (each entry's data) live in the native list. The texts, in UTF-8,
// are kept here as given; the native entries only show them to tools that read the list.
class NativeComboBox : public NativeControl, public TComboBox::Widget {
public:
    NativeComboBox(TComboBox& combo, FormWindow& form)
        : combo_(combo),
          font_(form.Font()),
          dpi_(form.Dpi()),
          itemHeight_(form.Scaled(combo.ItemHeight)) {
        // The window's height covers the closed field and the open list with its border.
        const int openHeight = combo.Height + combo.DropDownCount * combo.ItemHeight + 2;
        list_ = CreateWindowFor(form, combo, WC_COMBOBOXW, "",
                                WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                0, openHeight);
        SendMessageW(list_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
        SendMessageW(list_, CB_SETITEMHEIGHT, 0, itemHeight_);
        SendMessageW(list_, CB_SETMINVISIBLE, static_cast<WPARAM>(combo.DropDownCount), 0);
        SetPropW(list_, kListProcedure,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrW(
                     list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SystemKeysProcedure))));
        // The entries so far, drawn once they are all in.
        const TComboBox::Widget& from = *combo.widget;
        SetUpdating(true);
        for (int i = 0; i < from.Count(); ++i) {
            Add(from.Item(i));
            SetMarks(i, from.Marks(i));
        }
        SetItemIndex(from.ItemIndex());
        SetUpdating(false);
        combo.widget.Attach(*this);
    }
    ~NativeComboBox() override { combo_.widget.Detach(); }

    std::optional<LRESULT> OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
            combo_.UserSelected(ItemIndex());
            return 0;
        }
        if (message == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(itemHeight_);
            return TRUE;
        }
        if (message == WM_DRAWITEM) {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const int entry = static_cast<int>(item.itemID);
            DrawEntry(item, combo_.Items(entry), entry >= 0 && entry < Count() ? Marks(entry) : 0,
                      font_, dpi_);
            return TRUE;
        }
        return std::nullopt;
    }

    int Count() const override { return static_cast<int>(texts_.size()); }
    std::string Item(int index) const override { return texts_[static_cast<std::size_t>(index)]; }

    void Add(const std::string& text) override {
        texts_.push_back(text);
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(text).c_str()));
    }

    void SetItem(int index, const std::string& text) override {
        texts_[static_cast<std::size_t>(index)] = text;
        if (updates_ > 0) {
            stale_ = true;  // the native entries follow when the update ends, all at once
            return;
        }
        // Replacing the native entry clears the native selection and the entry's mark: set
        // them again.
        const int selected = ItemIndex();
        const unsigned marks = Marks(index);
        SendMessageW(list_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(list_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(WideOf(text).c_str()));
        SendMessageW(list_, CB_SETITEMDATA, static_cast<WPARAM>(index), marks);
        SetItemIndex(selected);
    }

    int ItemIndex() const override {
        return static_cast<int>(SendMessageW(list_, CB_GETCURSEL, 0, 0));
    }

    void SetItemIndex(int index) override {
        SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    unsigned Marks(int index) const override {
        return static_cast<unsigned>(
            SendMessageW(list_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }

    void SetMarks(int index, unsigned marks) override {
        SendMessageW(list_, CB_SETITEMDATA, static_cast<WPARAM>(index), marks);
        if (updates_ == 0) {
            Redraw();
        }
    }

    // Updates may nest: the list is drawn when the outermost ends.
    void SetUpdating(bool updating) override {
        updates_ += updating ? 1 : -1;
        if (updating && updates_ == 1) {
            SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        } else if (!updating && updates_ == 0) {
            Refill();
            SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
            Redraw();
        }
    }

private:
    // The native entries anew from the texts, with their marks and the selection: cheaper
    // than replacing most of them one by one, as when the texts are first loaded.
    void Refill() {
        if (!stale_) {
            return;
        }
        stale_ = false;
        const int selected = ItemIndex();
        std::vector<unsigned> marks;
        for (int i = 0; i < Count(); ++i) {
            marks.push_back(Marks(i));
        }
        SendMessageW(list_, CB_RESETCONTENT, 0, 0);
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            SendMessageW(list_, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(WideOf(texts_[i]).c_str()));
            SendMessageW(list_, CB_SETITEMDATA, i, marks[i]);
        }
        SetItemIndex(selected);
    }

    // The closed field and the open list draw themselves anew.
    void Redraw() {
        InvalidateRect(list_, nullptr, FALSE);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(list_, &info) && info.hwndList) {
            InvalidateRect(info.hwndList, nullptr, FALSE);
        }
    }

    TComboBox& combo_;
    HFONT font_;
    int dpi_;
    int itemHeight_;
    HWND list_ = nullptr;
    std::vector<std::string> texts_;
    int updates_ = 0;
    bool stale_ = false;  // texts changed in an update that the native entries do not show yet
};

[[maybe_unused]] const bool registered = RegisterNative<TComboBox, NativeComboBox>();

}  // namespace
}  // namespace quillory
