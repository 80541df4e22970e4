#pragma once

#include <map>
#include <memory>

#include <windows.h>

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
    void OnCreate();
    void OnCommand(int id, int code);
    void OnPaint();
    void OnDestroy();

    HFONT FontOf(const TLabel& label);

    TAboutBox& form_;
    Ui& ui_;
    Font font_;
    std::map<int, std::unique_ptr<Font>> labelFonts_;  // by cell height
};

}  // namespace quillory
