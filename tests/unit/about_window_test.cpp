// The About box on screen, shown modally by the real user interface. Windows builds only.
#ifdef _WIN32

#include "app/Unit2.h"
#include "app/win32/form_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "app/version.h"
#include "app/win32/win32_ui.h"
#include "tests/support/windows_on_screen.h"

namespace quillory {
namespace {

using test::Later;
using test::Settle;

class AboutBoxOnScreen : public testing::Test {
protected:
    test::ScreenTurn turn;
    HWND owner = nullptr;
    HWND application = nullptr;
    TAboutBox form;
    std::unique_ptr<Win32Ui> ui;
    std::unique_ptr<FormWindow> window;

    void SetUp() override {
        ASSERT_TRUE(test::UseCommonControls6());
        application = CreateWindowExA(0, "Static", "Quillory", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, nullptr, nullptr);
        owner = CreateWindowExA(0, "Static", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(owner);
        ui = std::make_unique<Win32Ui>(application);
        window = std::make_unique<FormWindow>(form, *ui);
        window->Create(owner);
        ASSERT_NE(window->hwnd(), nullptr);
    }

    void TearDown() override {
        window.reset();
        DestroyWindow(owner);
        DestroyWindow(application);
    }

    // Shows the box modally; `whileShown` runs inside, then `close` ends the showing.
    void ShowModal(const std::function<void()>& whileShown, const std::function<void()>& close) {
        // Should the close not work, the showing ends all the same, and the test fails.
        const UINT_PTR giveUp = Later(3000, [&] { form.ModalResult = -1; });
        Later(100, [&] {
            whileShown();
            close();
        });
        ui->ShowModal(form);
        test::Cancel(giveUp);
    }

    // A key typed on the OK button, which has the focus.
    void Key(WPARAM key) {
        const HWND ok = GetDlgItem(window->hwnd(), ids::kOKButton);
        PostMessageA(ok, WM_KEYDOWN, key, 0);
        PostMessageA(ok, WM_KEYUP, key, static_cast<LPARAM>(0xC0000000));
    }
};

TEST_F(AboutBoxOnScreen, FrameCaptionAndContent) {
    const HWND box = window->hwnd();
    char className[32] = "";
    GetClassNameA(box, className, sizeof className);
    EXPECT_STREQ(className, "TAboutBox");
    char caption[32] = "";
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "About");
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);

    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, 298);
    EXPECT_EQ(client.bottom, 218);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(box, GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    EXPECT_NE(form.Label2.Caption().find('@'), std::string::npos);

    const HWND ok = GetDlgItem(box, ids::kOKButton);
    char text[8] = "";
    GetWindowTextA(ok, text, sizeof text);
    EXPECT_STREQ(text, "OK");
    EXPECT_TRUE(GetWindowLongPtrA(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    RECT place{};
    GetWindowRect(ok, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 111);
    EXPECT_EQ(place.top, 187);
    EXPECT_EQ(place.right - place.left, 75);
    EXPECT_EQ(place.bottom - place.top, 24);
}

TEST_F(AboutBoxOnScreen, ShownCentredAndModalThenHiddenAgain) {
    bool visible = false, ownerEnabled = true;
    RECT outer{};
    ShowModal(
        [&] {
            visible = IsWindowVisible(window->hwnd());
            ownerEnabled = IsWindowEnabled(owner);
            GetWindowRect(window->hwnd(), &outer);
        },
        [&] { SendMessageA(GetDlgItem(window->hwnd(), ids::kOKButton), BM_CLICK, 0, 0); });
    EXPECT_TRUE(visible);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(form.ModalResult, 1);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(IsWindow(window->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(AboutBoxOnScreen, EscapeLeavesItOpenAndEnterClosesIt) {
    bool openAfterEscape = false;
    ShowModal(
        [&] {
            Key(VK_ESCAPE);
            Settle();
            openAfterEscape = IsWindowVisible(window->hwnd()) && form.ModalResult == 0;
        },
        [&] { Key(VK_RETURN); });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(form.ModalResult, 1);
}

TEST_F(AboutBoxOnScreen, TheCloseBoxClosesItAndItOpensAgainTheSame) {
    ShowModal([] {}, [&] { PostMessageA(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(form.ModalResult, 2);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));

    // The showing starts on the OK button, the first of the box's tab stops. (The windows of
    // tests in other processes can take the activation away meanwhile: then no focus is here.)
    HWND focus = nullptr, active = nullptr;
    Settle();  // as a user, who opens it again a moment later
    ShowModal(
        [&] {
            focus = GetFocus();
            active = GetActiveWindow();
        },
        [&] { SendMessageA(GetDlgItem(window->hwnd(), ids::kOKButton), BM_CLICK, 0, 0); });
    EXPECT_EQ(form.ModalResult, 1);
    const HWND ok = GetDlgItem(window->hwnd(), ids::kOKButton);
    EXPECT_EQ(GetNextDlgTabItem(window->hwnd(), nullptr, FALSE), ok);
    if (active == window->hwnd()) {
        EXPECT_EQ(focus, ok);
    }
}

}  // namespace
}  // namespace quillory

#endif  // _WIN32
