// The main window on screen: its native controls made from the form's components, and the
// window's messages reaching the form's handlers. Real windows, so Windows builds only (under
// Wine on an X display).
#ifdef _WIN32

#include "app/Unit1.h"
#include "app/win32/form_window.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit2.h"
#include "app/ids.h"
#include "app/version.h"
#include "formats/commfile.h"
#include "game/slots.h"
#include "platform/filesystem.h"
#include "platform/wide_win32.h"
#include "tests/support/expected.h"
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

// The items of a menu as it shows them; a separator is an empty text.
std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

// Whether each item of the menu can be chosen, as the menu is now.
std::vector<bool> MenuEnabled(HMENU menu) {
    std::vector<bool> enabled;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) {
            enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) &
                                (MF_GRAYED | MF_DISABLED)));
        }
    }
    return enabled;
}

class MainWindowOnScreen : public testing::Test {
protected:
    test::ScreenTurn turn;
    GameFolder game;
    MemoryRegistry registry = MemoryRegistry::installedAt(game.dir());
    RecordingShell shell;
    test::RecordingSound sound;
    test::ScriptedMicrophone microphone;
    ScriptedUi ui;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<FormWindow> window;
    HWND hwnd = nullptr;

    // Creates and shows the window as the program entry does; with `settle`, lets the
    // messages of the start run. The windows of tests in other processes can take the
    // activation from this one whenever messages run: focus checks come before that.
    void Open(bool settle = true) {
        ASSERT_TRUE(test::UseCommonControls6());
        form = std::make_unique<TForm1>(
            Services{systemFileSystem(), registry, shell, sound, ui, microphone});
        window = std::make_unique<FormWindow>(*form, ui);
        window->Create(nullptr);
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

    // "Text", "Voice" and "Game" with their items, then "About..." with "About".
    HMENU bar = GetMenu(hwnd);
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::string>{"&Text", "&Voice", "&Game", "About..."}));
    EXPECT_EQ(MenuTexts(GetSubMenu(bar, 0)),
              (std::vector<std::string>{"&Undo change", "Restore &default text", "",
                                        "&Save Text\tCtrl+S"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(bar, 1)),
              (std::vector<std::string>{"&Play\tCtrl+P", "&Stop\tEsc", "", "&Remove voice...",
                                        "Restore &previous voice", "", "Re&cord...\tCtrl+R",
                                        "&Attach WAV..."}));
    EXPECT_EQ(MenuTexts(GetSubMenu(bar, 2)),
              (std::vector<std::string>{"&Run Secret Ops\tCtrl+G", "&Open game folder", "",
                                        "Remove custom &communications..."}));
    EXPECT_EQ(MenuTexts(GetSubMenu(bar, 3)), std::vector<std::string>{"About"});
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 3), 0), static_cast<UINT>(ids::kMenuAbout));
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
    EXPECT_EQ(form->TypePhrase.Caption(), "Attack my target.");

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

TEST_F(MainWindowOnScreen, TheVoiceMenuFollowsTheSelectedSlotAndItsKeysWork) {
    game.makeDir("audio\\speech");
    game.write("audio\\speech\\00740005.iff",
               test::speechFile(test::formatBlock(1, 1, 8000, 8), test::pattern(80)));
    Open();
    const HMENU voice = GetSubMenu(GetMenu(hwnd), 1);
    const auto opened = [&] {
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(voice), 0);
        // Play, Stop, Remove voice..., Restore previous voice, Record..., Attach WAV...
        return MenuEnabled(voice);
    };
    EXPECT_EQ(opened(), (std::vector<bool>{false, false, false, false, true, true}));
    Select(5);
    EXPECT_EQ(opened(), (std::vector<bool>{true, false, true, false, true, true}));
    // The entries' marks, for tools that read the list.
    EXPECT_EQ(SendMessageA(Control(ids::kTextes), CB_GETITEMDATA, 5, 0), 1);
    EXPECT_EQ(SendMessageA(Control(ids::kTextes), CB_GETITEMDATA, 4, 0), 0);

    // Ctrl+P plays the slot's voice, Escape stops it.
    SetForegroundWindow(hwnd);
    SetFocus(Control(ids::kTextes));
    const auto keys = [](std::initializer_list<std::pair<WORD, bool>> strokes) {
        std::vector<INPUT> inputs;
        for (const auto& [key, up] : strokes) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Settle();
    };
    keys({{VK_CONTROL, false}, {'P', false}, {'P', true}, {VK_CONTROL, true}});
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].samples, test::pattern(80));
    EXPECT_EQ(opened(), (std::vector<bool>{true, true, true, false, true, true}));
    // The window of a program of a test beside this one may have taken the activation since.
    SetForegroundWindow(hwnd);
    SetFocus(Control(ids::kTextes));
    keys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
    EXPECT_EQ(sound.stops, 1);
    EXPECT_FALSE(sound.playing);
    EXPECT_TRUE(IsWindow(hwnd));

    // The menu's own commands.
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ids::kMenuPlay, 0), 0);
    EXPECT_EQ(sound.plays.size(), 2u);
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(ids::kMenuStop, 0), 0);
    EXPECT_EQ(sound.stops, 2);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowOnScreen, ADropOfFilesReachesTheFormOnlyWhileTheWindowTakesInput) {
    Open();
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // An HDROP as the shell makes it: the DROPFILES header, then zero-ended wide names.
    const auto dropOf = [](const std::vector<std::wstring>& names) {
        std::wstring list;
        for (const std::wstring& name : names) {
            list += name + L'\0';
        }
        list += L'\0';
        const HGLOBAL memory =
            GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * 2);
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(files + 1, list.data(), list.size() * 2);
        GlobalUnlock(memory);
        return reinterpret_cast<WPARAM>(memory);
    };
    SendMessageA(hwnd, WM_DROPFILES, dropOf({L"a.wav", L"b.wav"}), 0);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Error|Drop one WAV file at a time."});

    EnableWindow(hwnd, FALSE);  // as under a box of the program
    SendMessageA(hwnd, WM_DROPFILES, dropOf({L"a.wav", L"b.wav"}), 0);
    EnableWindow(hwnd, TRUE);
    EXPECT_EQ(ui.boxes.size(), 1u);

    // A name outside the system's code page arrives whole.
    const std::wstring name = L"\x0413\x043E\x043B\x043E\x0441 \x58F0.wav";
    HANDLE file = CreateFileW((WideOf(game.dir()) + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string wave = test::waveFile(1, 1, 8000, 8, test::pattern(12));
    DWORD written = 0;
    WriteFile(file, wave.data(), static_cast<DWORD>(wave.size()), &written, nullptr);
    CloseHandle(file);
    Select(30);
    SendMessageA(hwnd, WM_DROPFILES, dropOf({WideOf(game.dir()) + name}), 0);
    EXPECT_EQ(ui.shown().back(), "|Done !");
    EXPECT_EQ(game.read("audio\\speech\\00740030.iff"),
              test::speechFile(test::formatBlock(1, 1, 8000, 8), test::pattern(12)));
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
        category = form->TypePhrase.Caption();
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
