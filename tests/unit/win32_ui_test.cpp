// The real message boxes and file-open dialog, answered from inside their own loops. Windows
// builds only.
#ifdef _WIN32

#include "app/win32/win32_ui.h"

#include <gtest/gtest.h>

#include <string>

#include "app/toolkit/TOpenDialog.h"
#include "tests/support/game_folder.h"
#include "tests/support/windows_on_screen.h"

namespace quillory {
namespace {

using test::Later;
using test::TextOf;

BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog-class window of this thread, if there is one: a message box or the dialog.
HWND OpenDialogWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

class RealUi : public testing::Test {
protected:
    test::ScreenTurn turn;
    HWND application = nullptr;
    HWND main = nullptr;
    HWND other = nullptr;
    std::unique_ptr<Win32Ui> ui;

    void SetUp() override {
        ASSERT_TRUE(test::UseCommonControls6());
        application = CreateWindowExA(0, "Static", "Quillory", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, nullptr, nullptr);
        main = CreateWindowExA(0, "Static", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                               200, nullptr, nullptr, nullptr, nullptr);
        other = CreateWindowExA(0, "Static", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 10,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(main);
        ui = std::make_unique<Win32Ui>(application);
        ui->SetMainWindow(main);
    }

    void TearDown() override {
        DestroyWindow(other);
        DestroyWindow(main);
        DestroyWindow(application);
    }
};

TEST_F(RealUi, TheStandardErrorBoxDisablesEveryWindowAndGivesTheActivationBack) {
    std::string caption, text;
    bool mainEnabled = true, otherEnabled = true;
    HWND boxOwner = nullptr;
    Later(100, [&] {
        const HWND box = OpenDialogWindow();
        caption = TextOf(box);
        text = TextOf(GetDlgItem(box, 0xFFFF));
        boxOwner = GetWindow(box, GW_OWNER);
        mainEnabled = IsWindowEnabled(main);
        otherEnabled = IsWindowEnabled(other);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const int answer = ui->ShowMessageBox(ui->ApplicationWindow(), "Disk full.", "Quillory",
                                          kMbOk | kMbIconStop | kMbTaskModal);
    EXPECT_EQ(answer, kIdOk);
    EXPECT_EQ(caption, "Quillory");
    EXPECT_EQ(text, "Disk full.");
    EXPECT_EQ(boxOwner, application);
    EXPECT_FALSE(mainEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(GetActiveWindow(), main);
}

TEST_F(RealUi, AQuestionIsModalToItsOwnerAndGivesTheAnswer) {
    bool mainEnabled = true, otherEnabled = false;
    Later(100, [&] {
        mainEnabled = IsWindowEnabled(main);
        otherEnabled = IsWindowEnabled(other);
        PostMessageA(OpenDialogWindow(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ui->ShowMessageBox(main, "Save changes to the text comm file ?", "",
                                 kMbOkCancel | kMbIconQuestion),
              kIdCancel);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(main));
}

class FileOpenDialog : public RealUi {
protected:
    TOpenDialog dialog;

    void SetUp() override {
        RealUi::SetUp();
        dialog.Title = "Select a WAV file...";
        dialog.Filter = "WAV files|*.wav";
        dialog.DefaultExt = ".wav";
        dialog.InitialDir = "c:\\wav";
        dialog.HideReadOnly = true;
        dialog.PathMustExist = true;
        dialog.FileMustExist = true;
    }
};

TEST_F(FileOpenDialog, CancelChoosesNothing) {
    std::string title;
    HWND owner = nullptr;
    bool mainEnabled = true;
    Later(300, [&] {
        const HWND shown = OpenDialogWindow();
        title = TextOf(shown);
        owner = GetWindow(shown, GW_OWNER);
        mainEnabled = IsWindowEnabled(main);
        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(ui->Execute(dialog));
    EXPECT_EQ(title, "Select a WAV file...");
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(dialog.FileName, "");
}

TEST_F(FileOpenDialog, AnExistingFileTypedInIsChosen) {
    test::GameFolder folder;
    folder.write("voice.wav", "RIFF");
    Later(300, [&] {
        const HWND shown = OpenDialogWindow();
        // The file name box: a combo box (cmb13) in newer dialogs, an edit (edt1) in older ones.
        for (int id : {0x47C, 0x480}) {
            if (HWND box = GetDlgItem(shown, id)) {
                SetWindowTextA(box, folder.path("voice.wav").c_str());
            }
        }
        PostMessageA(shown, WM_COMMAND, IDOK, 0);
    });
    // Should the dialog refuse the file, its boxes and then the dialog itself are closed.
    const UINT_PTR giveUp = Later(3000, [] {
        for (int box = 0; box < 3; ++box) {
            if (HWND shown = OpenDialogWindow()) {
                SendMessageA(shown, WM_COMMAND, IDCANCEL, 0);
            }
        }
    });
    const bool chosen = ui->Execute(dialog);
    test::Cancel(giveUp);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(lstrcmpiA(dialog.FileName.c_str(), folder.path("voice.wav").c_str()), 0)
        << dialog.FileName;
}

}  // namespace
}  // namespace quillory

#endif  // _WIN32
