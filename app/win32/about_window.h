#pragma once

#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/Unit2.h"
#include "app/toolkit/Ui.h"
#include "app/win32/font.h"
#include "app/win32/form_window.h"

namespace quillory {

// The About box's native side: a fixed dialog-framed window owned by the main window, created
// hidden once and shown modally (Ui::ShowModal) as often as asked.
class AboutWindow : public FormWindow {
public:
    AboutWindow(TAboutBox& form, Ui& ui);
    ~AboutWindow() override;

    void Create(HWND owner);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void OnPaint();

    TAboutBox& form_;
    Ui& ui_;
    Fonts fonts_;
    std::vector<HIMAGELIST> glyphs_;  // none: the box's button has no image
};

}  // namespace quillory
