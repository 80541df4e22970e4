// "Attach WAV": the open dialog, the progress bar, the speech sample file and the refusals.
#include <windows.h>

#include <commctrl.h>

#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

class Import : public ProgramTest {
protected:
    // Writes a WAVE file beside the game and attaches it to `slot`; returns the first box.
    MessageBoxView attach(int slot, const std::string& wave) {
        writeFile(wavePath(), wave);
        select(slot);
        click(button("Attach WAV"));
        chooseFile(wavePath());
        return program_->waitForMessageBox();
    }
    std::string wavePath() const { return waves_.path("voice.wav"); }
    int barPosition() const { return static_cast<int>(send(progress_, PBM_GETPOS)); }
    int barMaximum() const { return static_cast<int>(send(progress_, PBM_GETRANGE, FALSE)); }

    TempFolder waves_{"waves"};
};

TEST_F(Import, WritesTheSpeechFileOfTheSelectedSlot) {
    start();
    const std::string samples = pattern(1000);
    const MessageBoxView done = attach(7, waveFile(1, 1, 22050, 16, samples));
    expectBox(done, "Done !", "", {kOk}, BoxIcon::None);
    EXPECT_EQ(done.owner, main_);
    EXPECT_EQ(barPosition(), barMaximum()) << "the bar is full while \"Done !\" shows";
    program_->answer(done, kOk);
    waitUntil([&] { return barPosition() == 0; }, "the bar to empty");
    EXPECT_EQ(barMaximum(), 100);

    const std::string header(
        "FORM\x00\x00\x04\x0C"
        "SAMPFRMT"
        "\x00\x00\x00\x10\x01\x00\x01\x00"
        "\x22\x56\x00\x00\x44\xAC\x00\x00"
        "\x02\x00\x10\x00"
        "DATA"
        "\x00\x00\x03\xE8",
        44);
    expectFile("audio\\speech\\00740007.iff", header + samples);
    EXPECT_EQ(listFolder(game_.path("audio\\speech")), std::vector<std::string>{"00740007.iff"});
    EXPECT_EQ(entries(), defaultTexts());
    EXPECT_EQ(selection(), 7);

    // A second import for another slot: only the data chunk's bytes are sound, a chunk after
    // it is left out.
    const std::string stereo = pattern(64);
    const std::string tail("LIST\x04\0\0\0INFO", 12);
    const MessageBoxView again = attach(12, waveFile(1, 2, 11025, 8, stereo) + tail);
    EXPECT_EQ(again.text, "Done !");
    program_->answer(again, kOk);
    const std::string second = readFile(game_.path("audio\\speech\\00740012.iff")).value_or("");
    ASSERT_EQ(second.size(), 44u + 64u);
    EXPECT_EQ(second.substr(4, 4), std::string("\0\0\0\x64", 4));
    EXPECT_EQ(second.substr(20, 4), std::string("\x01\0\x02\0", 4));
    EXPECT_EQ(second.substr(40, 4), std::string("\0\0\0\x40", 4));
    EXPECT_EQ(second.substr(44), stereo);
}

TEST_F(Import, RefusesAnEmptyFileWithTwoWarnings) {
    start();
    const MessageBoxView empty = attach(0, "");
    expectBox(empty, "Empty file", "Error", {kOk}, BoxIcon::Warning);
    EXPECT_EQ(empty.owner, main_);
    program_->answer(empty, kOk);
    const MessageBoxView notWave = program_->waitForMessageBox();
    expectBox(notWave, "This is not a valid WAVE file", "Error", {kOk}, BoxIcon::Warning);
    program_->answer(notWave, kOk);
    EXPECT_EQ(barPosition(), 0);
    EXPECT_FALSE(dirExists(game_.path("audio")));
}

TEST_F(Import, RefusesCompressedSoundAndLeavesTheBarAtOne) {
    start();
    const MessageBoxView box = attach(9, waveFile(3, 1, 44100, 32, pattern(400)));
    expectBox(box, "This is not an uncompressed WAVE file.  Use microsoft PCM encoding.", "Error",
              {kOk}, BoxIcon::Stop);
    program_->answer(box, kOk);
    EXPECT_EQ(barPosition(), 1);
    EXPECT_FALSE(fileExists(game_.path("audio\\speech\\00740009.iff")));
}

TEST_F(Import, CancelledDialogChangesNothing) {
    start();
    select(4);
    click(button("Attach WAV"));
    chooseFile("");
    send(main_, WM_NULL);
    EXPECT_FALSE(program_->messageBoxOpen());
    EXPECT_EQ(barPosition(), 0);
    EXPECT_FALSE(dirExists(game_.path("audio")));
    expectUsable();
}

TEST_F(Import, ReadOnlyWaveImportsButAReadOnlySpeechFileIsAFileError) {
    start();
    const std::string wave = waveFile(1, 1, 8000, 8, pattern(10));
    writeFile(wavePath(), wave);
    setReadOnly(wavePath(), true);
    select(1);
    click(button("Attach WAV"));
    chooseFile(wavePath());
    const MessageBoxView done = program_->waitForMessageBox();
    EXPECT_EQ(done.text, "Done !");
    program_->answer(done, kOk);
    const std::string speechFile = game_.path("audio\\speech\\00740001.iff");
    const std::string imported = readFile(speechFile).value_or("");
    EXPECT_EQ(imported.size(), 44u + 10u);

    // The slot's file may not be replaced: the standard error box, and the window stays.
    setReadOnly(speechFile, true);
    click(button("Attach WAV"));
    chooseFile(wavePath());
    const MessageBoxView box = program_->waitForMessageBox();
    expectBox(box, "File access denied.", "Quillory", {kOk}, BoxIcon::Stop);
    expectOwnedByTheApplication(box);
    program_->answer(box, kOk);
    EXPECT_TRUE(program_->running());
    expectUsable();
    EXPECT_EQ(readFile(speechFile), imported);
    EXPECT_EQ(listFolder(game_.path("audio\\speech")), std::vector<std::string>{"00740001.iff"});
    setReadOnly(speechFile, false);
}

}  // namespace
}  // namespace quillory::e2e
