// The voices: their marks in the list, the Voice menu, the removal of one voice, the playback,
// and WAVE files dropped on the window.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <thread>

#include "app/ids.h"
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

constexpr int kItemHeight = 16;
const std::string kEightBit = formatBlock(1, 1, 8000, 8);

// The colour most of the area has.
std::uint32_t backgroundOf(const Pixels& pixels, const RECT& area) {
    std::map<std::uint32_t, int> counts;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            ++counts[pixels.at(x, y)];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// Pixels drawn in the area on its background: the speaker where an entry is marked.
int drawnIn(const Pixels& pixels, const RECT& area) {
    return pixels.countOther(area, backgroundOf(pixels, area));
}

// Which items of an open drop-down menu can be chosen, read off its pixels: each band of rows
// with anything drawn on the menu's colour that is taller than a separator is an item, and an
// item that can be chosen has its text in the text colour, not in grey. `lit` tells which item
// is highlighted, -1 for none.
std::vector<bool> choosableItems(const Pixels& menu, int* lit = nullptr) {
    const std::uint32_t plain = systemRgb(COLOR_MENU);
    const std::uint32_t highlight = systemRgb(COLOR_HIGHLIGHT);
    const auto blank = [&](int row) {
        return menu.countOther(RECT{3, row, menu.width - 3, row + 1}, plain) == 0;
    };
    std::vector<bool> enabled;
    if (lit) {
        *lit = -1;
    }
    for (int y = 3; y < menu.height - 3;) {
        if (blank(y)) {
            ++y;
            continue;
        }
        int end = y;
        while (end < menu.height - 3 && !blank(end)) {
            ++end;
        }
        if (end - y > 4) {
            const RECT band{3, y, menu.width - 3, end};
            const bool highlighted = backgroundOf(menu, band) == highlight;
            if (highlighted && lit) {
                *lit = static_cast<int>(enabled.size());
            }
            const std::uint32_t text =
                systemRgb(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
            const int area = (band.right - band.left) * (band.bottom - band.top);
            enabled.push_back(menu.countOther(band, text) < area);
        }
        y = end;
    }
    return enabled;
}

class Voices : public ProgramTest {
protected:
    void writeVoice(int slot, const std::string& sound) {
        makeDirs(game_.path("audio\\speech"));
        writeFile(game_.path(speechName(slot)), speechFile(kEightBit, sound));
    }
    // The slots whose entries are marked, as the list holds them for tools.
    std::vector<int> marked() const {
        std::vector<int> slots;
        for (int slot = 0; slot < kSlots; ++slot) {
            if (send(textes_, CB_GETITEMDATA, static_cast<WPARAM>(slot)) == 1) {
                slots.push_back(slot);
            }
        }
        return slots;
    }
    // A command of the Voice menu, posted: it may ask something.
    void voiceCommand(int id) { post(main_, WM_COMMAND, MAKEWPARAM(id, 0)); }

    // Opens the Voice menu as the keyboard does (Alt, Right, Down) and reads off the screen which
    // of its items (Play, Stop, Remove voice..., Restore previous voice, Record...,
    // Attach WAV...) can be chosen. Another
    // test's window that takes the activation closes an open menu: then again. The caller holds
    // kStartLock, so that no program of another test starts meanwhile.
    std::vector<bool> openVoiceMenu() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            SetForegroundWindow(main_);
            post(main_, WM_SYSCOMMAND, SC_KEYMENU, 0);  // as the Alt key does
            post(main_, WM_KEYDOWN, VK_RIGHT);
            post(main_, WM_KEYDOWN, VK_DOWN);
            settle(main_);  // the keys handled: the menu is open, unless it was closed meanwhile
            for (const auto end = Clock::now() + kDeadline * timeScale(); Clock::now() < end;) {
                const std::vector<HWND> popups = program_->topWindows("#32768");
                if (popups.empty()) {
                    break;
                }
                RECT area{};
                GetWindowRect(popups[0], &area);
                // Read where no window of a test beside this one stands over the menu, and
                // the same twice: all six drawn, and still open once read.
                const POINT corners[] = {
                    {area.left + 2, area.top + 2},
                    {(area.left + area.right) / 2, (area.top + area.bottom) / 2},
                    {area.right - 3, area.bottom - 3}};
                const bool uncovered =
                    std::all_of(std::begin(corners), std::end(corners),
                                [&](POINT at) { return WindowFromPoint(at) == popups[0]; });
                // Opened by the keyboard, the menu has its first item highlighted.
                int lit = -1;
                const std::vector<bool> items = choosableItems(capture(area), &lit);
                std::this_thread::sleep_for(50ms);
                if (uncovered && items.size() == 6 && lit == 0 &&
                    items == choosableItems(capture(area)) && IsWindowVisible(popups[0])) {
                    return items;
                }
                std::this_thread::sleep_for(20ms);
            }
            closeMenu();
        }
        ADD_FAILURE() << "the Voice menu did not stay open";
        return {};
    }
    // Ends the menu's mode at once (keys posted to close it could reach a menu opened after).
    void closeMenu() {
        send(main_, WM_CANCELMODE);
        waitUntil([&] { return program_->topWindows("#32768").empty(); }, "the menu to close");
    }

    // The right end of the closed list's field, where a mark shows, within the main window.
    RECT markOfTheField() const {
        RECT window{}, field{};
        GetWindowRect(main_, &window);
        GetWindowRect(textes_, &field);
        const int right = field.right - window.left - 24;  // left of the arrow button
        const int top = field.top - window.top;
        return RECT{right - 40, top + 5, right, top + 17};
    }
};

TEST_F(Voices, TheSlotsWithAVoiceShowAMarkInTheFieldAndInTheOpenList) {
    for (int slot : {0, 2, 5}) {
        writeVoice(slot, pattern(100));
    }
    start();
    EXPECT_EQ(marked(), (std::vector<int>{0, 2, 5}));

    // The closed field: slot 0 has a voice, slot 1 none, read once the field is drawn.
    Pixels withVoice, withoutVoice;
    waitUntil(
        [&] {
            withVoice = captureRaised(main_);
            return drawnIn(withVoice, markOfTheField()) >= 20;
        },
        "slot 0's field drawn with its speaker");
    select(1);
    waitUntil(
        [&] {
            withoutVoice = captureRaised(main_);
            return drawnIn(withoutVoice, markOfTheField()) == 0;
        },
        "slot 1's field drawn without a speaker");
    EXPECT_GE(drawnIn(withVoice, markOfTheField()), 20) << "no speaker beside slot 0's text";
    EXPECT_EQ(drawnIn(withoutVoice, markOfTheField()), 0) << "a speaker beside slot 1's text";

    // The open list: a speaker at the right end of the lines of slots 0 and 2, none on slot 1's.
    // Only the first three lines are read: the windows of tests running beside this one open in
    // the middle of the screen, over the list's lower lines, and the X server may stack them
    // above it. The screenshot shows the whole list, with slot 5's mark.
    select(0);
    NamedLock noStarts(kStartLock);
    RaisedForCapture raised(main_);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    send(textes_, CB_SHOWDROPDOWN, TRUE);
    std::vector<HWND> lists;
    waitUntil(
        [&] {
            lists = program_->topWindows("ComboLBox");
            return !lists.empty();
        },
        "the open list");
    ASSERT_FALSE(lists.empty());
    RECT client = clientRect(lists[0]);
    MapWindowPoints(lists[0], nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The rows with a speaker once the list has drawn them all, read where no window of a test
    // running beside this one stands over the list.
    const std::vector<int> expected = {0, 2};
    std::vector<int> shown;
    waitUntil(
        [&] {
            const Pixels list = capture(client);
            shown.clear();
            for (int row = 0; row < 3 && list.height >= 15 * kItemHeight; ++row) {
                const RECT mark{list.width - 20, row * kItemHeight + 3, list.width - 2,
                                row * kItemHeight + 13};
                const POINT middle{client.left + (mark.left + mark.right) / 2,
                                   client.top + (mark.top + mark.bottom) / 2};
                if (WindowFromPoint(middle) != lists[0]) {
                    return false;
                }
                if (drawnIn(list, mark) > 0) {
                    shown.push_back(row);
                }
            }
            return shown == expected;
        },
        "the marks of slots 0 and 2 in the open list");
    EXPECT_EQ(shown, expected);

    RECT window{};
    GetWindowRect(main_, &window);
    RECT both{};
    UnionRect(&both, &window, &client);
    both.bottom += 2;
    screenshot(both, "main-window-voices");
    send(textes_, CB_SHOWDROPDOWN, FALSE);
}

TEST_F(Voices, RemoveVoiceAsksAndDeletesOnlyThatVoiceAfterOk) {
    writeVoice(3, pattern(30));
    writeVoice(8, pattern(80));
    start();
    select(3);
    voiceCommand(ids::kMenuRemoveVoice);
    const MessageBoxView question = program_->waitForMessageBox();
    expectBox(question, "Remove the custom voice of this communication ?", "", {kOk, kCancel},
              BoxIcon::Question);
    EXPECT_EQ(question.owner, main_);
    EXPECT_FALSE(IsWindowEnabled(main_));
    program_->answer(question, kCancel);
    expectUsable();
    EXPECT_EQ(readFile(game_.path(speechName(3))), speechFile(kEightBit, pattern(30)));
    EXPECT_EQ(marked(), (std::vector<int>{3, 8}));

    voiceCommand(ids::kMenuRemoveVoice);
    program_->answer(program_->waitForMessageBox(), kOk);
    waitUntil([&] { return !fileExists(game_.path(speechName(3))); }, "slot 3's voice to go");
    EXPECT_EQ(listFolder(game_.path("audio\\speech")), std::vector<std::string>{"00740008.iff"});
    waitUntil([&] { return marked() == std::vector<int>{8}; }, "slot 3's mark to go");

    select(8);
    voiceCommand(ids::kMenuRemoveVoice);
    program_->answer(program_->waitForMessageBox(), kOk);
    waitUntil([&] { return !dirExists(game_.path("audio")); }, "the emptied folders to go");
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{"Language"});
    EXPECT_EQ(marked(), std::vector<int>{});
    EXPECT_TRUE(program_->running());
    EXPECT_FALSE(program_->messageBoxOpen());
}

TEST_F(Voices, TheVoiceMenuOpensByTheKeyboardWithWhatTheSlotCannotDoGreyed) {
    writeVoice(5, pattern(100));
    start();
    NamedLock noStarts(kStartLock);
    // Play, Stop, Remove voice..., Restore previous voice, Record..., Attach WAV...
    EXPECT_EQ(openVoiceMenu(), (std::vector<bool>{false, false, false, false, true, true}))
        << "slot 0";
    closeMenu();
    select(5);
    EXPECT_EQ(openVoiceMenu(), (std::vector<bool>{true, false, true, false, true, true}))
        << "slot 5";
    // Up from the first item goes round to "Attach WAV...", which Enter chooses.
    post(main_, WM_KEYDOWN, VK_UP);
    post(main_, WM_KEYDOWN, VK_RETURN);
    chooseFile("");
    expectUsable();
    EXPECT_FALSE(program_->messageBoxOpen());
}

TEST_F(Voices, PlaySaysWhatKeepsTheVoiceFromPlaying) {
    writeVoice(4, pattern(8000));
    makeDirs(game_.path("audio\\speech"));
    writeFile(game_.path(speechName(6)), "FORM but not a speech sample");
    start();
    select(6);
    voiceCommand(ids::kMenuPlay);
    const MessageBoxView broken = program_->waitForMessageBox();
    expectBox(broken, "This speech file cannot be played.", "Error", {kOk}, BoxIcon::Warning);
    EXPECT_EQ(broken.owner, main_);
    program_->answer(broken, kOk);

    // These machines have no sound output: the program says so.
    std::printf("sound output devices: %u\n", waveOutGetNumDevs());
    if (waveOutGetNumDevs() == 0) {
        select(4);
        voiceCommand(ids::kMenuPlay);
        const MessageBoxView none = program_->waitForMessageBox();
        expectBox(none, "No sound device is available.", "Error", {kOk}, BoxIcon::Warning);
        program_->answer(none, kOk);
    }
    expectUsable();
    closeWindow();
    expectEndsWithoutBox();
}

// Run by the test e2e.sound, with a sound device that plays into nothing
// (tests/data/silent-sound.conf): the machines of these tests have none.
using Sound = Voices;

TEST_F(Sound, PlayPlaysUntilEscapeStopsIt) {
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "no sound device";
    // Ten minutes: it still plays when the slow runs look, though the device that plays into
    // nothing takes the sound faster than it plays.
    writeVoice(4, pattern(4800000));
    start();
    select(4);
    NamedLock noStarts(kStartLock);
    EXPECT_EQ(openVoiceMenu(), (std::vector<bool>{true, false, true, false, true, true}))
        << "before";
    closeMenu();
    voiceCommand(ids::kMenuPlay);
    settle(main_);
    EXPECT_FALSE(program_->messageBoxOpen());
    EXPECT_EQ(openVoiceMenu(), (std::vector<bool>{true, true, true, false, true, true}))
        << "while it plays";
    closeMenu();
    // Escape stops it; a menu that is still on its way out may take the first one.
    std::vector<bool> after;
    for (int attempt = 0;
         attempt < 5 && after != std::vector<bool>{true, false, true, false, true, true};
         ++attempt) {
        post(main_, WM_KEYDOWN, VK_ESCAPE);
        post(main_, WM_KEYUP, VK_ESCAPE);
        after = openVoiceMenu();
        closeMenu();
    }
    EXPECT_EQ(after, (std::vector<bool>{true, false, true, false, true, true})) << "after Esc";
    EXPECT_TRUE(program_->running());
}

class Drops : public Voices {
protected:
    std::string wavePath(const std::string& name) const { return waves_.path(name); }
    TempFolder waves_{"dropped"};
};

TEST_F(Drops, OneFileIsAttachedToTheSelectedSlotAsByTheButton) {
    start();
    const std::string samples = pattern(500);
    writeFile(wavePath("voice.wav"), waveFile(1, 1, 8000, 8, samples));
    select(17);
    dropFiles(*program_, main_, {wavePath("voice.wav")});
    const MessageBoxView done = program_->waitForMessageBox();
    expectBox(done, "Done !", "", {kOk}, BoxIcon::None);
    EXPECT_EQ(done.owner, main_);
    program_->answer(done, kOk);
    expectFile(speechName(17), speechFile(kEightBit, samples));
    EXPECT_EQ(marked(), std::vector<int>{17});
    expectUsable();
}

TEST_F(Drops, AVoiceADropReplacedComesBackAfterARestart) {
    const std::string before = speechFile(kEightBit, pattern(300));
    writeVoice(9, pattern(300));
    writeFile(wavePath("voice.wav"), waveFile(1, 1, 8000, 8, pattern(700)));
    start();
    select(9);
    dropFiles(*program_, main_, {wavePath("voice.wav")});
    program_->answer(program_->waitForMessageBox(), kOk);
    expectFile(speechName(9), speechFile(kEightBit, pattern(700)));
    closeWindow();
    expectEndsWithoutBox();

    start();
    select(9);
    voiceCommand(ids::kMenuRestoreVoice);
    program_->answer(program_->waitForMessageBox(), kOk);
    expectFile(speechName(9), before);
    expectUsable();
}

TEST_F(Drops, SeveralFilesOrAFolderAreRefusedAndChangeNothing) {
    start();
    writeFile(wavePath("one.wav"), waveFile(1, 1, 8000, 8, pattern(10)));
    writeFile(wavePath("two.wav"), waveFile(1, 1, 8000, 8, pattern(20)));
    makeDirs(wavePath("takes.wav"));
    select(2);
    dropFiles(*program_, main_, {wavePath("one.wav"), wavePath("two.wav")});
    const MessageBoxView several = program_->waitForMessageBox();
    expectBox(several, "Drop one WAV file at a time.", "Error", {kOk}, BoxIcon::Warning);
    EXPECT_EQ(several.owner, main_);
    program_->answer(several, kOk);

    dropFiles(*program_, main_, {wavePath("takes.wav")});
    const MessageBoxView folder = program_->waitForMessageBox();
    expectBox(folder, "This is not a valid WAVE file", "Error", {kOk}, BoxIcon::Warning);
    program_->answer(folder, kOk);
    expectUsable();
    EXPECT_FALSE(dirExists(game_.path("audio")));
}

TEST_F(Drops, NoneIsTakenWhileABoxOfTheProgramIsOpen) {
    start();
    writeFile(wavePath("voice.wav"), waveFile(1, 1, 8000, 8, pattern(10)));
    const MessageBoxView question = clickForBox("Save Text");
    ASSERT_EQ(question.text, kSaveQuestion);
    dropFiles(*program_, main_, {wavePath("voice.wav")});
    settle(main_);  // the drop reaches the window under the box
    program_->answer(question, kCancel);
    expectUsable();
    settle(main_);
    EXPECT_FALSE(program_->messageBoxOpen());
    EXPECT_FALSE(dirExists(game_.path("audio")));
}

}  // namespace
}  // namespace quillory::e2e
