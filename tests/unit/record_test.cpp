// Voice -> Record...: the recording box driven as the window code drives it, with a microphone
// that hands over a scripted take, 50 ms at each tick of the box's timer.
#include <gtest/gtest.h>

#include <functional>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/error_box.h"
#include "tests/support/bytes.h"
#include "tests/support/expected.h"
#include "tests/support/fakes.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

// Samples swinging between +peak and -peak.
std::string Tone(std::size_t samples, int peak) {
    std::string bytes;
    for (std::size_t i = 0; i < samples; ++i) {
        bytes += test::le(static_cast<std::uint32_t>(i % 2 ? -peak : peak), 2);
    }
    return bytes;
}

class Recording : public testing::Test {
public:
    test::GameFolder game;
    test::MemoryRegistry registry = test::MemoryRegistry::installedAt(game.dir());
    test::RecordingShell shell;
    test::RecordingSound sound;
    test::ScriptedMicrophone microphone;
    test::ScriptedUi ui;
    TForm1 form{Services{systemFileSystem(), registry, shell, sound, ui, microphone}};

    void SetUp() override {
        user([&] { form.FormCreate(); });
    }
    template <typename Action>
    void user(Action&& action) {
        RunHandler(ui, action);
    }
    // Voice -> Record... on `slot` with the microphone hearing `take`; then, in the box, Record,
    // the ticks until the microphone has handed over everything, Stop, and `then`.
    void record(int slot, const std::string& take, const std::function<void(TRecordBox&)>& then) {
        for (std::size_t at = 0; at < take.size(); at += 2205) {
            microphone.chunks.push_back(take.substr(at, 2205));
        }
        form.Textes.UserSelected(slot);
        ui.onModal = [&](TForm& shown) {
            auto& box = dynamic_cast<TRecordBox&>(shown);
            user([&] { box.RecordBtn.Click(); });
            while (!microphone.chunks.empty() && box.RecordBtn.Caption() == "Stop") {
                user([&] { box.Timer1.Tick(); });
            }
            if (box.RecordBtn.Caption() == "Stop") {
                user([&] { box.RecordBtn.Click(); });
            }
            then(box);
        };
        user([&] { form.Record.Click(); });
    }
    void press(TButton& button) {
        user([&] { button.Click(); });
    }
};

TEST_F(Recording, TheKeptTakeIsTheImportOfItsTrimmedSamplesAsAWaveFile) {
    const std::string silence(2 * 22000, '\0'), voice = Tone(11000, 3000);
    record(3, silence + voice + silence, [&](TRecordBox& box) {
        box.Even.SetChecked(false);
        press(box.KeepBtn);
    });
    const std::string margin(2 * 2205, '\0'), kept = margin + voice + margin;
    const std::string recorded = game.read(test::speechName(3));
    EXPECT_EQ(recorded, test::speechFile(test::formatBlock(1, 1, 22050, 16), kept));
    EXPECT_TRUE(form.Textes.Marked(3));

    game.write("take.wav", test::waveFile(1, 1, 22050, 16, kept));
    ui.chosenFiles = {game.path("take.wav")};
    form.Textes.UserSelected(4);
    press(form.WavBtn);
    EXPECT_EQ(game.read(test::speechName(4)), recorded);
}

TEST_F(Recording, ARecordingStopsByItselfAtSixtySeconds) {
    record(5, Tone(61 * 22050, 20000), [&](TRecordBox& box) {
        EXPECT_EQ(box.Take().size(), 60u * 22050 * 2);
        box.Trim.SetChecked(false);
        press(box.KeepBtn);
    });
    EXPECT_EQ(test::readBe32(game.read(test::speechName(5)), 40), 60u * 22050 * 2);
}

TEST_F(Recording, NothingIsWrittenUnlessAHeardTakeIsKept) {
    const struct {
        const char* name;
        int peak;
        bool fails, keep;
        std::vector<std::string> boxes;
    } cases[] = {
        {"Cancel asks first", 10000, false, false, {"|Discard this recording ?"}},
        {"a silent take: Keep stays greyed", 327, false, true, {"|Discard this recording ?"}},
        {"a failing microphone",
         10000,
         true,
         true,
         {"Error|The microphone stopped working. Nothing was kept."}},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        microphone.failsAtEnd = c.fails;
        record(6, Tone(22050, c.peak), [&](TRecordBox& box) {
            if (c.keep && box.KeepBtn.Enabled()) {
                press(box.KeepBtn);
            }
            press(box.CancelBtn);
        });
        EXPECT_EQ(ui.shown(), c.boxes) << c.name;
        EXPECT_FALSE(game.exists("audio")) << c.name;
    }
    ui.boxes.clear();
    microphone.available = false;
    record(6, "", [](TRecordBox&) { ADD_FAILURE() << "the box opened without a microphone"; });
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Error|No microphone is available."});
}

TEST_F(Recording, KeepAndNextGoesOnToTheNextMessageAndClosesAfterTheLast) {
    std::vector<std::string> captions;
    record(37, Tone(22050, 1000), [&](TRecordBox& box) {
        for (const int slot : {38, 39}) {
            captions.push_back(box.Caption());
            press(box.KeepNextBtn);
            EXPECT_EQ(form.Textes.ItemIndex(), slot);
            EXPECT_EQ(box.NextBtn.Enabled(), slot < 39);
            microphone.chunks = {Tone(22050, 100 * slot)};
            press(box.RecordBtn);
            user([&] { box.Timer1.Tick(); });
            press(box.RecordBtn);
        }
        captions.push_back(box.Caption());
        press(box.KeepNextBtn);
        EXPECT_EQ(box.ModalResult, kModalOk);
    });
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Record voice - 38 of 40", "Record voice - 39 of 40",
                                        "Record voice - 40 of 40"}));
    for (const int slot : {37, 38, 39}) {
        EXPECT_EQ(PeakOf(game.read(test::speechName(slot)).substr(44)), 29204) << slot;
    }
}

}  // namespace
}  // namespace quillory
