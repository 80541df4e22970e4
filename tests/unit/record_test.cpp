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
        RunHandler(ui, [&] { form.FormCreate(); });
    }

    // The microphone's take, in chunks of 50 ms.
    void willHear(const std::string& take) {
        for (std::size_t at = 0; at < take.size(); at += 2205) {
            microphone.chunks.push_back(take.substr(at, 2205));
        }
    }
    void press(TButton& button) {
        RunHandler(ui, [&] { button.Click(); });
    }
    // Record, the ticks until the microphone has handed over everything, Stop.
    void takeIn(TRecordBox& box) {
        press(box.RecordBtn);
        while (!microphone.chunks.empty()) {
            RunHandler(ui, [&] { box.Timer1.Tick(); });
        }
        press(box.RecordBtn);
    }
    // Voice -> Record... on `slot`, and what the user does in the box.
    void record(int slot, const std::function<void(TRecordBox&)>& act) {
        form.Textes.UserSelected(slot);
        ui.onModal = [&](TForm& shown) { act(dynamic_cast<TRecordBox&>(shown)); };
        RunHandler(ui, [&] { form.Record.Click(); });
    }
};

TEST_F(Recording, TheKeptTakeIsTheImportOfItsTrimmedSamplesAsAWaveFile) {
    const std::string voice = Tone(11000, 3000);
    willHear(std::string(2 * 22000, '\0') + voice + std::string(2 * 22000, '\0'));
    record(3, [&](TRecordBox& box) {
        takeIn(box);
        press(box.KeepBtn);
    });
    const std::string kept = std::string(2 * 2205, '\0') + voice + std::string(2 * 2205, '\0');
    const std::string recorded = game.read(test::speechName(3));
    EXPECT_EQ(recorded, test::speechFile(test::formatBlock(1, 1, 22050, 16), kept));
    EXPECT_TRUE(form.Textes.Marked(3));

    game.write("take.wav", test::waveFile(1, 1, 22050, 16, kept));
    ui.chosenFiles = {game.path("take.wav")};
    form.Textes.UserSelected(4);
    RunHandler(ui, [&] { form.WavBtn.Click(); });
    EXPECT_EQ(game.read(test::speechName(4)), recorded);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"|Done !"});
}

TEST_F(Recording, ARecordingStopsByItselfAtSixtySeconds) {
    willHear(Tone(61 * 22050, 20000));
    record(5, [&](TRecordBox& box) {
        press(box.RecordBtn);
        for (int tick = 0; tick < 1300 && box.RecordBtn.Caption() == "Stop"; ++tick) {
            RunHandler(ui, [&] { box.Timer1.Tick(); });
        }
        EXPECT_EQ(box.Take().size(), 60u * 22050 * 2);
        box.Trim.SetChecked(false);
        press(box.KeepBtn);
    });
    EXPECT_EQ(test::readBe32(game.read(test::speechName(5)), 40), 60u * 22050 * 2);
}

TEST_F(Recording, NothingIsWrittenUnlessAHeardTakeIsKept) {
    const struct {
        const char* name;
        std::function<void(Recording&, TRecordBox&)> act;
        std::vector<std::string> boxes;
    } cases[] = {
        {"Cancel",
         [](Recording& t, TRecordBox& box) { t.takeIn(box), t.press(box.CancelBtn); },
         {}},
        {"the close box",
         [](Recording& t, TRecordBox& box) {
             t.takeIn(box);
             if (box.OnCloseQuery()) {
                 box.ModalResult = kModalCancel;
             }
         },
         {}},
        {"a silent take",
         [](Recording& t, TRecordBox& box) {
             t.microphone.chunks = {Tone(22050, 327)};
             t.takeIn(box);
             t.press(box.KeepBtn);
             t.press(box.CancelBtn);
         },
         {"Error|Nothing was heard. Check the microphone."}},
        {"a microphone that fails while recording",
         [](Recording& t, TRecordBox& box) {
             t.microphone.failsAtEnd = true;
             t.takeIn(box);
             EXPECT_TRUE(box.Take().empty());
             EXPECT_FALSE(box.KeepBtn.Enabled());
             t.press(box.CancelBtn);
         },
         {"Error|The microphone stopped working. Nothing was kept."}},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        microphone.failsAtEnd = false;
        willHear(Tone(22050, 10000));
        record(6, [&](TRecordBox& box) { c.act(*this, box); });
        EXPECT_EQ(ui.shown(), c.boxes) << c.name;
        EXPECT_FALSE(game.exists("audio")) << c.name;
        EXPECT_FALSE(form.Textes.Marked(6)) << c.name;
    }
    ui.boxes.clear();
    microphone.available = false;
    record(6, [](TRecordBox&) { ADD_FAILURE() << "the box opened without a microphone"; });
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Error|No microphone is available."});
}

}  // namespace
}  // namespace quillory
