// Start-up: the window, the communication text file it loads or creates, and the game's
// installation record in every form the registry may hold it.
#include <windows.h>

#include <commctrl.h>

#include "app/ids.h"
#include "tests/e2e/fixture.h"
#include "tests/e2e/named_lock.h"

namespace quillory::e2e {
namespace {

const std::string kNotInstalled = "Secret Ops is not properly installed on this computer.";

using StartUp = ProgramTest;

TEST_F(StartUp, CreatesTheMissingFileAndShowsTheDefaultTexts) {
    start();
    EXPECT_EQ(entries(), defaultTexts());
    EXPECT_EQ(selection(), 0);
    EXPECT_EQ(categoryShown(), "Break and attack.");
    EXPECT_EQ(edited(), "");

    expectCommFile(commFile(defaultTexts()));
    const std::string bytes = commFileOnDisk().value_or("");
    EXPECT_EQ(bytes.size(), 1184u);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\0\0\x04\x98", 4));
    EXPECT_EQ(bytes.substr(16, 4), std::string("\0\0\x04\x8C", 4));
    EXPECT_EQ(bytes.substr(84, 4), std::string("\0\0\x04\x48", 4));
    EXPECT_EQ(bytes.substr(88, 29), std::string("All craft, break and attack!\0", 29));
    // The folders it made are spelt with a capital L, and nothing went elsewhere.
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{"Language"});
    EXPECT_EQ(listFolder(game_.path("Language")), std::vector<std::string>{"pilots"});
    EXPECT_EQ(listFolder(work_.dir()), std::vector<std::string>{});

    screenshot(main_, "main-window");
    closeWindow();
    expectEndsWithoutBox();
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
}

TEST_F(StartUp, ShowsTheTextsOfTheExistingFileAndLeavesItAlone) {
    std::vector<std::string> texts = defaultTexts();
    texts[0] = "R\xE9veillez-vous, pilotes !";
    texts[13] = "";
    texts[39] = std::string(300, 'x');
    std::string header = defaultHeader();
    header.replace(32, 7, "Deutsch");  // another producer's header
    const std::string file = commFile(header, texts) + "trailing bytes";
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), file);

    start();
    EXPECT_EQ(entries(), texts);
    EXPECT_EQ(selection(), 0);
    EXPECT_EQ(categoryShown(), "Break and attack.");
    EXPECT_EQ(edited(), "");
    closeWindow();
    expectEndsWithoutBox();
    EXPECT_EQ(commFileOnDisk(), file);
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{"language"});
}

// Two copies on one game would each save over the other's texts: the second one ends and brings
// the first one to the front.
TEST_F(StartUp, ASecondCopyOnTheSameGameEndsAndLeavesTheFirst) {
    start();
    NamedLock lock(kStartLock);
    install_record::set("REG_SZ", game_.dir());
    Program second(programPath(), work_.dir());
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.waitForExit(), 0);
    EXPECT_TRUE(program_->running());
    EXPECT_TRUE(IsWindowVisible(main_));
    closeWindow();
    expectEndsWithoutBox();
}

TEST_F(StartUp, WindowFramePlacesAndTabOrder) {
    start();
    const RECT client = clientRect(main_);
    EXPECT_EQ(client.right, 738);
    EXPECT_EQ(client.bottom, 288);
    const LONG style = GetWindowLongA(main_, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetMenu(main_), nullptr);
    RECT frame{};
    GetWindowRect(main_, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    struct Place {
        HWND control;
        LONG left, top, width, height;
    };
    const Place places[] = {
        {button("Remove custom communications"), 8, 232, 289, 49},
        {button("Run Secret Ops"), 320, 232, 145, 49},
        {button("Save Text"), 488, 232, 121, 49},
        {button("Revert Text"), 608, 232, 121, 49},
        {button("Attach WAV"), 592, 88, 121, 57},
        {button("Change"), 592, 176, 121, 25},
        {textes_, 24, 96, 561, 22},
        {edit_, 24, 176, 561, 24},
        {progress_, 24, 128, 561, 9},
    };
    for (const Place& place : places) {
        ASSERT_NE(place.control, nullptr);
        const RECT at = placeInParent(place.control);
        const std::string name = classOf(place.control) + " \"" + textOf(place.control) + "\"";
        EXPECT_EQ(at.left, place.left) << name;
        EXPECT_EQ(at.top, place.top) << name;
        if (place.width >= 0) {
            EXPECT_EQ(at.right, place.width) << name;
            EXPECT_EQ(at.bottom, place.height) << name;
        }
    }
    // The labels, drawn by the window itself.
    EXPECT_EQ(labelText(main_, {24, 16}), "Comm type :");
    EXPECT_EQ(labelText(main_, {24, 72}), "Replace :");
    EXPECT_EQ(labelText(main_, {24, 152}), "With :");
    EXPECT_EQ(labelText(main_, {104, 16}), "Break and attack.");
    EXPECT_EQ(send(textes_, CB_GETITEMHEIGHT, 0), 16);
    EXPECT_EQ(send(progress_, PBM_GETRANGE, FALSE), 100);
    EXPECT_EQ(send(progress_, PBM_GETPOS), 0);

    // The focus starts on the list; Tab goes on in the form's order.
    // (A test running beside this one may hold the activation: take it back, as a click on
    // the title bar would; the window gives the focus back to where it was.)
    waitUntil(
        [&] {
            SetForegroundWindow(main_);
            return focusOf(main_) == textes_;
        },
        "the focus on the list of texts");
    const HWND order[] = {textes_,
                          button("Save Text"),
                          edit_,
                          button("Change"),
                          button("Revert Text"),
                          button("Attach WAV"),
                          button("Remove custom communications"),
                          textes_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(main_, order[i], FALSE), order[i + 1])
            << "after " << textOf(order[i]) << " (" << classOf(order[i]) << ")";
    }
}

// The game is taken as not installed, reported once, and the program ends.
struct MissingRecord {
    const char* name;
    void (*make)();
};
void PrintTo(const MissingRecord& record, std::ostream* out) { *out << record.name; }

class NotInstalled : public ProgramTest, public ::testing::WithParamInterface<MissingRecord> {};

TEST_P(NotInstalled, IsReportedAndEndsTheProgram) {
    startWith(GetParam().make);
    attach();
    const MessageBoxView box = program_->waitForMessageBox();
    expectBox(box, kNotInstalled, "Registry read ERROR", {kOk}, BoxIcon::Stop);
    EXPECT_EQ(box.owner, main_);
    EXPECT_EQ(entries(), std::vector<std::string>(kSlots, ""));
    EXPECT_EQ(categoryShown(), "");
    screenshot(box.window, "not-installed");
    program_->answer(box, kOk);
    EXPECT_EQ(program_->waitForExit(), 0);
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{});
    EXPECT_EQ(listFolder(work_.dir()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Registry, NotInstalled,
    ::testing::Values(MissingRecord{"NoKey", [] { install_record::remove(); }},
                      MissingRecord{"KeyWithoutValue", [] { install_record::keyOnly(); }},
                      MissingRecord{"EmptyValue", [] { install_record::set("REG_SZ", ""); }}),
    [](const auto& info) { return std::string(info.param.name); });

using Registry = ProgramTest;

TEST_F(Registry, FolderWithoutFinalBackslashStillHoldsTheFiles) {
    std::string folder = game_.dir();
    folder.pop_back();
    startWith([&] { install_record::set("REG_SZ", folder); });
    attach();
    EXPECT_EQ(entries(), defaultTexts());
    expectCommFile(commFile(defaultTexts()));
    // Nothing lands beside the folder ("Game DirLanguage").
    const std::string parent = folder.substr(0, folder.rfind('\\'));
    EXPECT_EQ(listFolder(parent), std::vector<std::string>{"Game Dir"});
    closeWindow();
    expectEndsWithoutBox();
}

TEST_F(Registry, ExpandableValueIsExpanded) {
    const std::string relative = "Temp\\quillory e2e " + std::to_string(GetCurrentProcessId());
    char expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsA(("%WINDIR%\\" + relative + "\\").c_str(), expanded, MAX_PATH);
    const std::string folder = expanded;
    ASSERT_EQ(folder.find('%'), std::string::npos);
    makeDirs(folder);

    startWith([&] { install_record::set("REG_EXPAND_SZ", "%WINDIR%\\" + relative + "\\"); });
    attach();
    EXPECT_EQ(entries(), defaultTexts());
    const bool written = waitUntil([&] { return fileExists(folder + kCommFile); },
                                   "the file below the expanded folder");
    closeWindow();
    expectEndsWithoutBox();
    if (written) {
        EXPECT_EQ(readFile(folder + kCommFile), commFile(defaultTexts()));
    }
    EXPECT_EQ(listFolder(work_.dir()), std::vector<std::string>{});
    removeTree(folder);
}

TEST_F(Registry, NumberValueIsAnErrorAndTheWindowStillOpens) {
    startWith([] { install_record::set("REG_DWORD", "5"); });
    const MessageBoxView box = program_->waitForMessageBox();
    expectBox(box, "Invalid data type for 'Installed To:'", "Quillory", {kOk}, BoxIcon::Stop);
    expectOwnedByTheApplication(box);
    program_->answer(box, kOk);
    attach();
    EXPECT_EQ(entries(), std::vector<std::string>(kSlots, ""));
    EXPECT_EQ(categoryShown(), "");
    // The game counts as installed, so no report of a missing installation follows.
    settle(main_);
    EXPECT_FALSE(program_->messageBoxOpen());
    closeWindow();
    expectEndsWithoutBox();
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{});
    EXPECT_EQ(listFolder(work_.dir()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quillory::e2e
