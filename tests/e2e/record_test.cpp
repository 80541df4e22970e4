// Voice -> Record...: takes of the tone that the recording device of tools/with-microphone.sh
// plays, kept as slots' voices, one and three in a row (run by the test e2e.record); and Record
// on a machine without a recording device.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
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

    // Space on Record, `seconds` of the tone (`loud`: cut off at full scale) with silence around
    // it, Space again.
    void recordTone(HWND record, double seconds, bool loud = false) {
        const char* trigger = std::getenv("QUILLORY_TONE_TRIGGER");
        ASSERT_NE(trigger, nullptr);
        HWND meter = findChildById(GetParent(record), PROGRESS_CLASSA, ids::kMeter);
        pressKey(record, VK_SPACE);
        waitUntil([&] { return textOf(record) == "Stop"; }, "the recording to start");
        std::this_thread::sleep_for(500ms);
        writeFile(windowsPath(trigger), std::to_string(seconds) + (loud ? " loud" : ""));
        waitUntil([&] { return send(meter, PBM_GETPOS) > 50; }, "the meter to show the tone");
        // Past the tone's end: the meter falls back to the silence after it, which the take
        // keeps a moment longer.
        waitUntil([&] { return send(meter, PBM_GETPOS) < 20; }, "the meter to show the silence");
        std::this_thread::sleep_for(300ms);
        pressKey(record, VK_SPACE);
        waitUntil([&] { return textOf(record) == "Record"; }, "the recording to stop");
    }

    // Where the red line of the playing position is in the waveform's top rows; -1: none.
    static int positionLine(HWND wave) {
        RECT area{};
        GetWindowRect(wave, &area);
        const HDC screen = GetDC(nullptr);
        int found = -1;
        for (int x = area.left; x < area.right && found < 0; ++x) {
            found = GetPixel(screen, x, area.top + 3) == RGB(220, 0, 0) ? x - area.left : -1;
        }
        ReleaseDC(nullptr, screen);
        return found;
    }

    // Whether the waveform grows from the left as it records: a line in the middle row in every
    // column from the first that has one to the last, none left out.
    static bool drawnWithoutGaps(HWND wave) {
        RaisedForCapture raised(GetAncestor(wave, GA_ROOT));
        RECT area{};
        GetWindowRect(wave, &area);
        const Pixels shown = capture(area);
        const std::uint32_t window = systemRgb(COLOR_WINDOW), face = systemRgb(COLOR_BTNFACE);
        int first = -1, last = -1, gaps = 0;
        for (int x = 2; x < shown.width - 2; ++x) {
            const std::uint32_t middle = shown.at(x, shown.height / 2);
            if (middle != window && middle != face) {
                gaps += first >= 0 ? x - last - 1 : 0;
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return first >= 0 && gaps == 0;
    }

    // A slot's speech file, a kept take of the tone: how long it lasts, its frequency from its
    // rising zero crossings inside the margins, and its peak.
    struct Tone {
        double seconds = 0, hertz = 0;
        int peak = 0;
    };
    Tone toneOf(const std::string& name) {
        const std::string file = readFile(game_.path(name)).value_or("");
        EXPECT_GT(file.size(), 44u) << name;
        EXPECT_EQ(file.substr(20, 16), formatBlock(1, 1, 22050, 16)) << name;
        const std::string samples = file.size() > 44 ? file.substr(44) : "";
        const std::size_t count = samples.size() / 2;
        const auto at = [&](std::size_t i) {
            return static_cast<std::int16_t>(readLe(samples, 2 * i, 2));
        };
        Tone tone{static_cast<double>(count) / 22050.0};
        std::size_t first = 0, last = 0, crossings = 0;
        for (std::size_t i = 1; i < count; ++i) {
            tone.peak = std::max(tone.peak, std::abs(int{at(i)}));
            if (i > 2205 && i + 2205 < count && at(i - 1) < 0 && at(i) >= 0) {
                first = crossings++ == 0 ? i : first;
                last = i;
            }
        }
        EXPECT_GT(crossings, 100u) << name;
        tone.hertz = crossings > 1 ? 22050.0 * static_cast<double>(crossings - 1) /
                                         static_cast<double>(last - first)
                                   : 0;
        std::printf("%s: %.3f s of a %.1f Hz tone, peak %d\n", name.c_str(), tone.seconds,
                    tone.hertz, tone.peak);
        return tone;
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
    HWND box = program_->waitForWindow(ids::kRecordBoxClass, "Record voice - 8 of 40");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_EQ(textOf(findChildById(box, "Edit", ids::kRecordText)), entries()[7]);
    EXPECT_EQ(labelText(box, {8, 77}), "This message has a voice: Keep replaces it.");
    HWND record = findChildById(box, "Button", ids::kRecordButton);
    HWND meter = findChildById(box, PROGRESS_CLASSA, ids::kMeter);

    pressKey(record, VK_SPACE);
    waitUntil([&] { return textOf(record) == "Stop"; }, "the recording to start");
    std::this_thread::sleep_for(500ms);
    writeFile(windowsPath(tone), "1.5");
    waitUntil([&] { return send(meter, PBM_GETPOS) > 50; }, "the meter to show the tone");
    screenshot(box, "record-box-recording");
    EXPECT_TRUE(drawnWithoutGaps(findChildById(box, "Static", ids::kWave)));
    // Past the tone's end: the meter falls back to the silence after it, which the take keeps
    // a moment longer.
    waitUntil([&] { return send(meter, PBM_GETPOS) < 20; }, "the meter to show the silence");
    std::this_thread::sleep_for(300ms);
    pressKey(record, VK_RETURN);
    waitUntil([&] { return textOf(record) == "Record"; }, "the recording to stop");
    click(findChildById(box, "Button", ids::kKeepButton));
    waitUntil([&] { return !IsWindowVisible(box); }, "the box to close");
    expectUsable();

    const Tone kept = toneOf(speechName(7));
    EXPECT_NEAR(kept.seconds, 1.7, 0.1) << "the tone, with 100 ms of margin at each end";
    EXPECT_NEAR(kept.hertz, 440.0, 2.0);
}

// A session as the player has it, with the keyboard alone: three messages in a row, each take
// kept with Alt+N (Keep & next), which moves the box and the list on to the next message. The
// last voice comes too close to the microphone: the box says so under the meter, and keeps it
// all the same.
TEST_F(Recording, ThreeMessagesInARowWithKeepAndNext) {
    ASSERT_GT(waveInGetNumDevs(), 0u) << "no recording device";
    start();
    recordCommand(10);
    HWND box = program_->waitForWindow(ids::kRecordBoxClass, "Record voice - 11 of 40");
    ASSERT_NE(box, nullptr);
    HWND record = findChildById(box, "Button", ids::kRecordButton);
    HWND play = findChildById(box, "Button", ids::kPlayButton);
    HWND wave = findChildById(box, "Static", ids::kWave);
    const double seconds[] = {1.0, 1.6, 0.7};
    for (int take = 0; take < 3; ++take) {
        const std::string caption = "Record voice - " + std::to_string(12 + take) + " of 40";
        recordTone(record, seconds[take], take == 2);
        const std::string length = labelText(box, {416, 171});
        EXPECT_NE(length.find(" of "), std::string::npos) << length;
        EXPECT_EQ(labelText(box, {56, 190}), take == 2
                                                 ? "Too loud: the voice is clipped. Move "
                                                   "away from the microphone and record again."
                                                 : "");
        if (take == 1) {
            screenshot(box, "record-box");
            click(play);
            waitUntil([&] { return textOf(play) == "Stop"; }, "Play to turn into Stop");
            int line = -1;
            waitUntil([&] { return (line = positionLine(wave)) >= 0; }, "the position line");
            waitUntil([&] { return positionLine(wave) > line; }, "the position to move");
            waitUntil([&] { return textOf(play) == "Play"; }, "the take to end");
            EXPECT_EQ(positionLine(wave), -1);
        }
        // Alt+N: the mnemonic of "Keep & next", wherever the focus is.
        post(record, WM_SYSCHAR, 'n', LPARAM{1} << 29);
        waitUntil([&] { return textOf(box) == caption; }, caption);
    }
    EXPECT_EQ(comboSelection(textes_), 13);
    pressKey(record, VK_ESCAPE);
    waitUntil([&] { return !IsWindowVisible(box); }, "the box to close");
    expectUsable();
    for (int take = 0; take < 3; ++take) {
        const Tone kept = toneOf(speechName(10 + take));
        EXPECT_NEAR(kept.seconds, seconds[take] + 0.2, 0.1) << take;
        EXPECT_NEAR(kept.hertz, 440.0, 2.0) << take;
        EXPECT_EQ(kept.peak, 29204) << "evened out to -1 dBFS";
    }
}

}  // namespace
}  // namespace quillory::e2e
