#include "app/win32/controls.h"

#include "app/toolkit/TBevel.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TComboBox.h"
#include "app/toolkit/TEdit.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TPanel.h"
#include "app/toolkit/TProgressBar.h"
#include "app/win32/button_glyph.h"
#include "app/win32/frames.h"
#include "app/win32/native_widgets.h"
#include "app/win32/speed_button.h"

namespace quillory {
namespace {

class ControlFactory : public ControlVisitor {
public:
    ControlFactory(HWND parent, Fonts& fonts, int fontHeight, std::vector<HIMAGELIST>& glyphs)
        : parent_(parent), fonts_(fonts), fontHeight_(fontHeight), glyphs_(glyphs) {}

    void Visit(TBevel&) override {}
    void Visit(TPanel&) override {}

    void Visit(TLabel& label) override {
        const HWND hwnd =
            Create(label, WC_STATICA, "", SS_LEFT | SS_NOPREFIX, 0, label.Height, label.FontHeight);
        auto native = std::make_unique<NativeLabel>(hwnd);
        native->SetText(label.Caption());
        label.widget.Attach(std::move(native));
    }

    void Visit(TButton& button) override {
        const DWORD style =
            button.ButtonKind == TButton::Kind::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        const HWND hwnd = Create(button, WC_BUTTONA, button.Caption, style, 0, button.Height);
        if (button.ButtonKind == TButton::Kind::Speed) {
            NeverTakeFocus(hwnd);
        }
        if (HIMAGELIST images = SetButtonGlyph(hwnd, button.Image.Resource, button.Image.Count)) {
            glyphs_.push_back(images);
        }
    }

    void Visit(TEdit& edit) override {
        const HWND hwnd = Create(edit, WC_EDITA, edit.Text(), ES_LEFT | ES_AUTOHSCROLL,
                                 WS_EX_CLIENTEDGE, edit.Height);
        SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
        edit.widget.Attach(std::make_unique<NativeEdit>(hwnd));
    }

    void Visit(TComboBox& combo) override {
        // The window's height covers the closed field and the open list with its border. The
        // parent answers WM_MEASUREITEM with the item height: the list asks while it is made.
        const int openHeight = combo.Height + combo.DropDownCount * combo.ItemHeight + 2;
        const HWND hwnd = Create(
            combo, WC_COMBOBOXA, "",
            WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, openHeight);
        SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), combo.ItemHeight);
        SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, combo.ItemHeight);
        SendMessageA(hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(combo.DropDownCount), 0);
        combo.widget.Attach(std::make_unique<NativeComboBox>(hwnd, *combo.widget));
    }

    void Visit(TProgressBar& bar) override {
        const HWND hwnd = Create(bar, PROGRESS_CLASSA, "", 0, 0, bar.Height);
        auto native = std::make_unique<NativeProgressBar>(hwnd);
        native->SetMax(bar.Max());
        native->SetPosition(bar.Position());
        bar.widget.Attach(std::move(native));
    }

private:
    HWND Create(const TControl& control, const char* className, const std::string& text,
                DWORD style, DWORD exStyle, int height, int fontHeight = 0) {
        const HWND hwnd =
            CreateWindowExA(exStyle, className, text.c_str(),
                            WS_CHILD | WS_VISIBLE | (control.TabStop ? WS_TABSTOP : 0) | style,
                            control.Left, control.Top, control.Width, height, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id)),
                            GetModuleHandleA(nullptr), nullptr);
        const HFONT font = fonts_.For(fontHeight != 0 ? fontHeight : fontHeight_);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return hwnd;
    }

    HWND parent_;
    Fonts& fonts_;
    int fontHeight_;
    std::vector<HIMAGELIST>& glyphs_;
};

class FramePainter : public ControlVisitor {
public:
    explicit FramePainter(HDC dc) : dc_(dc) {}

    void Visit(TBevel& bevel) override { DrawRaisedFrame(dc_, PlaceOf(bevel)); }
    void Visit(TPanel& panel) override { DrawPanelBorder(dc_, PlaceOf(panel)); }
    void Visit(TLabel&) override {}
    void Visit(TButton&) override {}
    void Visit(TEdit&) override {}
    void Visit(TComboBox&) override {}
    void Visit(TProgressBar&) override {}

private:
    static RECT PlaceOf(const TControl& control) {
        return RECT{control.Left, control.Top, control.Left + control.Width,
                    control.Top + control.Height};
    }

    HDC dc_;
};

}  // namespace

void CreateControls(HWND parent, TForm& form, Fonts& fonts, int fontHeight,
                    std::vector<HIMAGELIST>& glyphs) {
    ControlFactory factory(parent, fonts, fontHeight, glyphs);
    for (TControl* control : form.Controls()) {
        control->Accept(factory);
    }
}

void PaintFrames(HDC dc, TForm& form) {
    FramePainter painter(dc);
    for (TControl* control : form.Controls()) {
        control->Accept(painter);
    }
}

void DetachControls(TForm& form) {
    for (TControl* control : form.Controls()) {
        control->Detach();
    }
}

}  // namespace quillory
