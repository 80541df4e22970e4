#pragma once

#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/Unit1.h"
#include "app/win32/font.h"
#include "app/win32/form_window.h"
#include "app/win32/menus.h"

namespace quillory {

// The main window's native side: the window of TForm1 with its menu and controls, whose
// messages become the form's events.
class MainWindow : public FormWindow {
public:
    MainWindow(TForm1& form, Ui& ui);
    ~MainWindow() override;

    // Creates the window and its controls, hidden, then runs the form's start-up handler.
    // An error that ends it shows in the standard error box, and the window is kept.
    void Create();
    // Shows the window at the centre of the screen with the focus on the list of texts.
    void Show();

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate();
    void OnCommand(int id, int code);
    void OnInitMenuPopup(HMENU popup);
    void OnDropFiles(HDROP drop);
    void OnMeasureItem(MEASUREITEMSTRUCT& item);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void OnClose();
    LRESULT OnGetDefId();
    void OnDestroy();

    TForm1& form_;
    Ui& ui_;
    Fonts fonts_;
    std::vector<HIMAGELIST> glyphs_;
    MenuBar menu_;
};

}  // namespace quillory
