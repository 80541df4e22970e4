// Voice -> Record...: a take of the tone that the recording device of tools/with-microphone.sh
// plays, kept as a slot's voice (run by the test e2e.record); and Record on a machine without
// a recording device.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/ids.h"
#include "tests/e2e/fixture.h"
#include "tests/support/bytes.h"

namespace quillory::e2e {
namespace {

class Record : public ProgramTest {
protected:
    void recordCommand(int slot) {
        select(slot);
        post(main_, WM_COMMAND, MAKEWPARAM(ids::kMenuRecord, 0));
    }
};
using Recording = Record;

TEST_F(Record, WithoutARecordingDeviceSaysSoAndOpensNoBox) {
    ASSERT_EQ(waveInGetNumDevs(), 0u) << "this machine has a recording device";
    start();
    recordCommand(2);
    const MessageBoxView box = program_->waitForMessageBox();
    expectBox(box, "No microphone is available.", "Error", {kOk}, BoxIcon::Warning);
    EXPECT_EQ(box.owner, main_);
    program_->answer(box, kOk);
    expectUsable();
    EXPECT_TRUE(program_->topWindows(ids::kRecordBoxClass).empty());
}

TEST_F(Recording, ATakeOfTheToneReplacesTheSlotsVoiceTrimmed) {
    ASSERT_GT(waveInGetNumDevs(), 0u) << "no recording device";
    const char* tone = std::getenv("QUILLORY_TONE_TRIGGER");
    ASSERT_NE(tone, nullptr);
    makeDirs(game_.path("audio\\speech"));
    writeFile(game_.path(speechName(7)), speechFile(formatBlock(1, 1, 8000, 8), pattern(8000)));
    start();
    recordCommand(7);
    HWND box = program_->waitForWindow(ids::kRecordBoxClass, "Record voice");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_EQ(textOf(findChildById(box, "Edit", ids::kRecordText)), entries()[7]);
    EXPECT_EQ(textOf(findChildById(box, "Static", ids::kVoiceNote)),
              "This message has a voice: Keep replaces it.");
    HWND record = findChildById(box, "Button", ids::kRecordButton);
    HWND meter = findChildById(box, PROGRESS_CLASSA, ids::kMeter);

    pressKey(record, VK_SPACE);
    waitUntil([&] { return textOf(record) == "Stop"; }, "the recording to start");
    std::this_thread::sleep_for(500ms);
    writeFile(windowsPath(tone), "1.5");
    waitUntil([&] { return send(meter, PBM_GETPOS) > 50; }, "the meter to show the tone");
    screenshot(box, "record-box");
    // Past the tone's end: the meter falls back to the silence after it, which the take keeps
    // a moment longer.
    waitUntil([&] { return send(meter, PBM_GETPOS) < 20; }, "the meter to show the silence");
    std::this_thread::sleep_for(300ms);
    pressKey(record, VK_RETURN);
    waitUntil([&] { return textOf(record) == "Record"; }, "the recording to stop");
    click(findChildById(box, "Button", ids::kKeepButton));
    waitUntil([&] { return !IsWindowVisible(box); }, "the box to close");
    expectUsable();

    const std::string file = readFile(game_.path(speechName(7))).value_or("");
    ASSERT_GT(file.size(), 44u);
    EXPECT_EQ(file.substr(20, 16), formatBlock(1, 1, 22050, 16));
    const std::string samples = file.substr(44);
    const std::size_t count = samples.size() / 2;
    const double seconds = static_cast<double>(count) / 22050.0;
    EXPECT_NEAR(seconds, 1.7, 0.1) << "the tone, with 100 ms of margin at each end";
    // The tone's frequency from its rising zero crossings, inside the margins.
    const auto at = [&](std::size_t i) {
        return static_cast<std::int16_t>(readLe(samples, 2 * i, 2));
    };
    std::size_t first = 0, last = 0, crossings = 0;
    for (std::size_t i = 2205; i + 2205 < count; ++i) {
        if (at(i - 1) < 0 && at(i) >= 0) {
            first = crossings++ == 0 ? i : first;
            last = i;
        }
    }
    ASSERT_GT(crossings, 100u);
    const double hertz =
        22050.0 * static_cast<double>(crossings - 1) / static_cast<double>(last - first);
    EXPECT_NEAR(hertz, 440.0, 2.0);
    std::printf("kept %.3f s of a %.1f Hz tone\n", seconds, hertz);
}

}  // namespace
}  // namespace quillory::e2e
