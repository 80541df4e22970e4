// The main window on screen: its native controls made from the form's components, and the
// window's messages reaching the form's handlers. Real windows, so Windows builds only (under
// Wine on an X display).
#ifdef _WIN32

#include "app/win32/main_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Unit2.h"
#include "app/ids.h"
#include "app/version.h"
#include "formats/commfile.h"
#include "game/slots.h"
#include "platform/filesystem.h"
#include "tests/support/fakes.h"
#include "tests/support/game_folder.h"
#include "tests/support/windows_on_screen.h"

namespace quillory {
namespace {

using test::GameFolder;
using test::MemoryRegistry;
using test::PumpUntil;
using test::RecordingShell;
using test::ScriptedUi;
using test::Settle;
using test::TextOf;

constexpr char kFile[] = "language\\pilots\\player_1.eng";

RECT PlaceInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int WidthOf(HWND control) {
    const RECT place = PlaceInParent(control);
    return place.right - place.left;
}

// How wide the control's text is in the control's font.
int TextWidth(HWND control) {
    const std::string text = TextOf(control);
    HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent.cx;
}

class MainWindowOnScreen : public testing::Test {
protected:
    test::ScreenTurn turn;
    GameFolder game;
    MemoryRegistry registry = MemoryRegistry::installedAt(game.dir());
    RecordingShell shell;
    ScriptedUi ui;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<MainWindow> window;
    HWND hwnd = nullptr;

    // Creates and shows the window as the program entry does; with `settle`, lets the
    // messages of the start run. The windows of tests in other processes can take the
    // activation from this one whenever messages run: focus checks come before that.
    void Open(bool settle = true) {
        ASSERT_TRUE(test::UseCommonControls6());
        form = std::make_unique<TForm1>(Services{systemFileSystem(), registry, shell, ui});
        window = std::make_unique<MainWindow>(*form, ui);
        window->Create();
        window->Show();
        hwnd = window->hwnd();
        ASSERT_NE(hwnd, nullptr);
        if (settle) {
            Settle();
        }
    }

    void TearDown() override {
        window.reset();
        // Closing the main window asked the loop to end; the next test starts afresh.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND Control(int id) const { return GetDlgItem(hwnd, id); }

    void Select(int slot) {
        SendMessageA(Control(ids::kTextes), CB_SETCURSEL, static_cast<WPARAM>(slot), 0);
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ids::kTextes, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(ids::kTextes)));
    }

    // A key typed into a control, through the program's loop.
    void Press(HWND control, WPARAM key) {
        PostMessageA(control, WM_KEYDOWN, key, 0);
        PostMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000000));
        Settle();
    }
};

TEST_F(MainWindowOnScreen, WindowFrameCaptionMenuAndPlace) {
    Open();
    EXPECT_EQ(TextOf(hwnd), "Quillory  v" QUILLORY_VERSION);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "TForm1");

    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 738);
    EXPECT_EQ(client.bottom, 288);

    const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    HMENU bar = GetMenu(hwnd);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    char caption[32] = "";
    GetMenuStringA(bar, 0, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "About...");
    HMENU help = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(ids::kMenuAbout));
    GetMenuStringA(help, 0, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "About");
}

TEST_F(MainWindowOnScreen, ControlsStandWhereTheFormPutsThemWithItsFont) {
    Open();
    struct Expected {
        int id;
        const char* className;
        const char* caption;
        RECT place;
    };
    const Expected controls[] = {
        {ids::kSpeedButton1, "Button", "Run Secret Ops", {320, 232, 465, 281}},
        {ids::kTextes, "ComboBox", nullptr, {24, 96, 585, 118}},
        {ids::kBitBtn1, "Button", "Save Text", {488, 232, 609, 281}},
        {ids::kNouveauTexte, "Edit", nullptr, {24, 176, 585, 200}},
        {ids::kButton1, "Button", "Change", {592, 176, 713, 201}},
        {ids::kReloadBtn, "Button", "Revert Text", {608, 232, 729, 281}},
        {ids::kWavBtn, "Button", "Attach WAV", {592, 88, 713, 145}},
        {ids::kDeleteFilesBtn, "Button", "Remove custom communications", {8, 232, 297, 281}},
        {ids::kProgress, "msctls_progress32", nullptr, {24, 128, 585, 137}},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.id);
        const HWND control = Control(expected.id);
        ASSERT_NE(control, nullptr);
        char className[64] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, expected.className);
        if (expected.caption) {
            EXPECT_EQ(TextOf(control), expected.caption);
        }
        const RECT place = PlaceInParent(control);
        EXPECT_EQ(place.left, expected.place.left);
        EXPECT_EQ(place.top, expected.place.top);
        EXPECT_EQ(place.right, expected.place.right);
        EXPECT_EQ(place.bottom, expected.place.bottom);
        if (expected.id != ids::kProgress) {
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
            EXPECT_EQ(font.lfHeight, 13);
        }
    }
    EXPECT_TRUE(GetWindowLongPtrA(Control(ids::kButton1), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Control(ids::kProgress), PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageA(Control(ids::kProgress), PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindowOnScreen, LabelsFitTheirTextsAndShowTheCategory) {
    Open();
    EXPECT_EQ(TextOf(Control(ids::kLabel1)), "Comm type :");
    EXPECT_EQ(TextOf(Control(ids::kLabel2)), "Replace :");
    EXPECT_EQ(TextOf(Control(ids::kLabel3)), "With :");
    EXPECT_EQ(TextOf(Control(ids::kTypePhrase)), "Break and attack.");
    for (int id : {ids::kLabel1, ids::kLabel2, ids::kLabel3, ids::kTypePhrase}) {
        EXPECT_EQ(WidthOf(Control(id)), TextWidth(Control(id))) << id;
    }
    EXPECT_EQ(PlaceInParent(Control(ids::kTypePhrase)).left, 104);
    EXPECT_EQ(PlaceInParent(Control(ids::kTypePhrase)).top, 16);

    Select(16);
    EXPECT_EQ(TextOf(Control(ids::kTypePhrase)), "Taunt");
    EXPECT_EQ(WidthOf(Control(ids::kTypePhrase)), TextWidth(Control(ids::kTypePhrase)));
}

TEST_F(MainWindowOnScreen, TheListIsOwnerDrawnAndShowsFifteenEntriesWhenOpen) {
    Open();
    const HWND list = Control(ids::kTextes);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE));
    EXPECT_EQ(style & 0x3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_TRUE(style & CBS_OWNERDRAWFIXED);
    EXPECT_TRUE(style & CBS_HASSTRINGS);
    EXPECT_FALSE(style & CBS_SORT);
    // The closed field is 22 high: the item height 16 and the border.
    EXPECT_EQ(SendMessageA(list, CB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);

    // The native entries are the texts, readable by tools (and drawn from the form's copy).
    wchar_t entry[64] = L"";
    SendMessageW(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"Enemy in sight! My wing, break and attack.");

    SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
    Settle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(list, &info));
    RECT open{};
    GetClientRect(info.hwndList, &open);
    EXPECT_EQ(open.bottom, 15 * 16);
    SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(MainWindowOnScreen, TheFocusStartsOnTheListAndTabFollowsTheTabOrder) {
    Open(false);
    EXPECT_EQ(GetFocus(), Control(ids::kTextes));
    // The order in which Tab (the dialog keys of the program's loop) walks the controls.
    HWND control = Control(ids::kTextes);
    for (int id : {ids::kBitBtn1, ids::kNouveauTexte, ids::kButton1, ids::kReloadBtn, ids::kWavBtn,
                   ids::kDeleteFilesBtn, ids::kTextes}) {
        control = GetNextDlgTabItem(hwnd, control, FALSE);
        EXPECT_EQ(GetDlgCtrlID(control), id);
    }
}

TEST_F(MainWindowOnScreen, PickingAnEntryShowsItsTextAndEnterInTheEditChangesIt) {
    Open();
    Select(7);
    EXPECT_EQ(TextOf(Control(ids::kNouveauTexte)), "Help me with this target.");
    EXPECT_EQ(TextOf(Control(ids::kTypePhrase)), "Attack my target.");

    SetFocus(Control(ids::kNouveauTexte));
    SetWindowTextA(Control(ids::kNouveauTexte), "Cover me!");
    Press(Control(ids::kNouveauTexte), VK_RETURN);
    EXPECT_EQ(form->Textes.Items(7), "Cover me!");
    EXPECT_EQ(SendMessageA(Control(ids::kTextes), CB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(TextOf(Control(ids::kNouveauTexte)), "Cover me!");
    EXPECT_TRUE(ui.boxes.empty());

    // Escape is no button of this window.
    Press(Control(ids::kNouveauTexte), VK_ESCAPE);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowOnScreen, ATextOfAnyLengthGoesThroughTheEditAndTheList) {
    Open();
    const std::string longText(6000, 'x');
    SetWindowTextA(Control(ids::kNouveauTexte), longText.c_str());
    SendMessageA(Control(ids::kButton1), BM_CLICK, 0, 0);
    Settle();
    EXPECT_EQ(form->Textes.Items(0), longText);
    Select(1);
    Select(0);
    EXPECT_EQ(TextOf(Control(ids::kNouveauTexte)), longText);
}

TEST_F(MainWindowOnScreen, TheSpeedButtonRunsTheGameAndLeavesTheFocusWhereItWas) {
    Open(false);
    SetFocus(Control(ids::kNouveauTexte));
    ASSERT_EQ(GetFocus(), Control(ids::kNouveauTexte));
    SendMessageA(Control(ids::kSpeedButton1), BM_CLICK, 0, 0);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "Secretops.exe");
    EXPECT_EQ(shell.calls[0].directory, game.dir());
    EXPECT_EQ(shell.calls[0].owner, hwnd);
    EXPECT_EQ(GetFocus(), Control(ids::kNouveauTexte));
    EXPECT_FALSE(GetWindowLongPtrA(Control(ids::kSpeedButton1), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainWindowOnScreen, TheMenuShowsTheAboutBoxModally) {
    Open();
    TAboutBox about;
    form->AboutBox = &about;
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ids::kMenuAbout, 0), 0);
    EXPECT_EQ(ui.modalShows, 1);
}

TEST_F(MainWindowOnScreen, ClosingAfterAChangeAsksAndCancelKeepsTheWindow) {
    Open();
    Select(3);
    SetWindowTextA(Control(ids::kNouveauTexte), "Fire!");
    SendMessageA(Control(ids::kButton1), BM_CLICK, 0, 0);

    ui.answers = {kIdCancel};
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(ui.shown(), std::vector<std::string>{"|Save changes to the text comm file ?"});
    EXPECT_EQ(ui.boxes[0].style, kMbYesNoCancel | kMbIconQuestion);
    EXPECT_EQ(ui.boxes[0].owner, hwnd);
    EXPECT_TRUE(IsWindow(hwnd));

    ui.answers = {kIdYes};
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(decodeCommFile(game.read(kFile)).texts[3], "Fire!");
}

TEST_F(MainWindowOnScreen, ClosingWithoutChangesAsksNothing) {
    Open();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowOnScreen, AMissingGameIsReportedByTheTimerWhichClosesTheWindow) {
    registry.record = {};
    // What the window shows while the report is up.
    LRESULT entries = 0;
    std::string category = "?";
    bool visible = false;
    ui.onBox = [&](const ScriptedUi::Box&) {
        entries = SendMessageA(Control(ids::kTextes), CB_GETCOUNT, 0, 0);
        category = TextOf(Control(ids::kTypePhrase));
        visible = IsWindowVisible(hwnd);
    };
    Open();
    const HWND closing = hwnd;
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(closing); }));
    EXPECT_EQ(entries, 40);
    EXPECT_EQ(category, "");
    EXPECT_TRUE(visible);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{
                              "Registry read ERROR|Secret Ops is not properly installed on this "
                              "computer."});
    EXPECT_EQ(ui.boxes[0].owner, closing);
    EXPECT_FALSE(form->Timer1.Enabled());
}

TEST_F(MainWindowOnScreen, AnErrorAtStartUpIsShownAndTheWindowOpensAnyway) {
    game.makeDir("language\\pilots");
    game.write(kFile, "FORM");
    Open();
    ASSERT_EQ(ui.shown(), std::vector<std::string>{"Quillory|Read beyond end of file."});
    EXPECT_EQ(ui.boxes[0].owner, ui.applicationWindow);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(SendMessageA(Control(ids::kTextes), CB_GETCOUNT, 0, 0), 40);
}

TEST_F(MainWindowOnScreen, AnErrorInAHandlerIsShownAndTheWindowStays) {
    Open();
    game.write(kFile, "FORM");
    ui.answers = {kIdOk};
    SendMessageA(Control(ids::kReloadBtn), BM_CLICK, 0, 0);
    EXPECT_EQ(ui.shown(),
              (std::vector<std::string>{"|Load text comm file as it was when last saved ?",
                                        "Quillory|Read beyond end of file."}));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(form->Textes.Items(0), defaultText(0));
}

}  // namespace
}  // namespace quillory

#endif  // _WIN32
