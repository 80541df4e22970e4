// The About box, opened from the menu.
#include "app/ids.h"
#include "app/version.h"
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

class About : public ProgramTest {
protected:
    HWND open() {
        // The menu cannot be read from another process under Wine: send its command.
        post(main_, WM_COMMAND, MAKEWPARAM(ids::kMenuAbout, 0));
        return program_->waitForWindow("TAboutBox", "About");
    }
    // Every text of the box, in the order of its children.
    static std::vector<std::string> textsOf(HWND box) {
        std::vector<std::string> texts;
        for (HWND child : children(box)) {
            texts.push_back(classOf(child) + ": " + textOf(child));
        }
        return texts;
    }
};

TEST_F(About, SameBoxEachTimeModalClosedByEnterOrCloseBoxNotEscape) {
    start();
    HWND box = open();
    ASSERT_NE(box, nullptr);
    const RECT client = clientRect(box);
    EXPECT_EQ(client.right, 298);
    EXPECT_EQ(client.bottom, 218);
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the About box must be modal";
    HWND ok = findChild(box, "Button", "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(placeInParent(ok).left, 111);
    EXPECT_EQ(placeInParent(ok).top, 187);
    // The labels on the panel at (8, 8), each in its font.
    struct Label {
        POINT at;
        int fontHeight;
        const char* text;
    };
    for (const Label& label :
         {Label{{18, 18}, 16, "Quillory"}, Label{{18, 41}, 11, "Version " QUILLORY_VERSION},
          Label{{15, 145}, 11, "I'll try to have the next version to change also"},
          Label{{15, 158}, 11, "Prophecy's comms."}}) {
        EXPECT_EQ(labelText(box, label.at, label.fontHeight), label.text);
    }
    const std::vector<std::string> first = textsOf(box);
    screenshot(box, "about-box");

    // Escape is no way out; Enter is. The keys go to the button that has the focus in the
    // box (tests running beside this one may take the activation, and the focus, away).
    pressKey(ok, VK_ESCAPE);
    settle(ok);
    EXPECT_TRUE(IsWindowVisible(box)) << "Escape closed the About box";
    pressKey(ok, VK_RETURN);
    waitUntil([&] { return !IsWindowVisible(box); }, "Enter to close the About box");
    EXPECT_TRUE(IsWindow(box)) << "the box is hidden, not destroyed";
    expectUsable();

    HWND again = open();
    EXPECT_EQ(again, box);
    EXPECT_EQ(textsOf(again), first);
    post(again, WM_SYSCOMMAND, SC_CLOSE);
    waitUntil([&] { return !IsWindowVisible(again); }, "the close box to close the About box");
    expectUsable();

    closeWindow();
    expectEndsWithoutBox();
}

}  // namespace
}  // namespace quillory::e2e
