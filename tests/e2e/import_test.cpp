// "Attach WAV": the open dialog, the progress bar, the speech sample file and the refusals.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

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
    const MessageBoxView box = attach(9, waveFile(2, 1, 44100, 4, pattern(400)));
    expectBox(box, "This is not an uncompressed WAVE file.  Use microsoft PCM encoding.", "Error",
              {kOk}, BoxIcon::Stop);
    program_->answer(box, kOk);
    EXPECT_EQ(barPosition(), 1);
    EXPECT_FALSE(fileExists(game_.path("audio\\speech\\00740009.iff")));
}

// A folder below `base` whose path has at least `length` characters, made and removed through
// the wide API, which takes paths deeper than MAX_PATH.
class DeepFolder {
public:
    DeepFolder(const std::string& base, std::size_t length) {
        path_ = L"\\\\?\\" + std::wstring(base.begin(), base.end());
        path_.pop_back();  // the final backslash
        while (path_.size() < length) {
            path_ += L"\\a folder of the recordings made for the speech samples of slot 9";
            EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr)) << GetLastError();
            made_.push_back(path_);
        }
    }
    ~DeepFolder() {
        for (const std::wstring& file : files_) {
            DeleteFileW(file.c_str());
        }
        for (auto dir = made_.rbegin(); dir != made_.rend(); ++dir) {
            RemoveDirectoryW(dir->c_str());
        }
    }
    // Writes a file into the deepest folder; returns its path in UTF-8, without the prefix.
    std::string write(const std::wstring& name, const std::string& bytes) {
        const std::wstring file = path_ + L"\\" + name;
        files_.push_back(file);
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
        return utf8Of(file.substr(4));
    }

private:
    std::wstring path_;
    std::vector<std::wstring> made_;
    std::vector<std::wstring> files_;
};

TEST_F(Import, ConvertsA24BitFileOfAnyNameOnlyAfterOk) {
    start();
    // "Голос 声.wav": Cyrillic and Japanese, outside the system's code page.
    const std::wstring name = L"\x0413\x043E\x043B\x043E\x0441 \x58F0.wav";
    const std::string bytes = testData("wav/int24-stereo-sox.wav");
    // The samples as sox converts them, in a 16-bit stereo block.
    const std::string expected =
        speechFile(formatBlock(1, 2, 8000, 16), testData("wav/int24-stereo-sox.s16"));
    DeepFolder shallow(waves_.dir(), 0);
    const std::string picked = shallow.write(name, bytes);
    select(9);

    click(button("Attach WAV"));
    chooseFile(picked);
    const MessageBoxView question = program_->waitForMessageBox();
    expectBox(question, "This WAV file has 24-bit samples. Convert it to 16-bit PCM ?", "",
              {kOk, kCancel}, BoxIcon::Question);
    EXPECT_EQ(question.owner, main_);
    EXPECT_EQ(barPosition(), 1);
    program_->answer(question, kCancel);
    // Cancel ends the import without a word.
    expectUsable();
    EXPECT_FALSE(program_->messageBoxOpen());
    EXPECT_FALSE(dirExists(game_.path("audio")));

    click(button("Attach WAV"));
    chooseFile(picked);
    program_->answer(program_->waitForMessageBox(), kOk);
    const MessageBoxView done = program_->waitForMessageBox();
    EXPECT_EQ(done.text, "Done !");
    EXPECT_EQ(barPosition(), barMaximum());
    program_->answer(done, kOk);
    expectFile("audio\\speech\\00740009.iff", expected);

    // The same in a folder deeper than MAX_PATH. Wine's open dialog cannot take such a path
    // (it overflows a buffer of MAX_PATH characters), so the file comes as a drop would bring
    // it from the desktop.
    DeepFolder deep(waves_.dir(), 300);
    const std::string deepPath = deep.write(name, bytes);
    ASSERT_GT(deepPath.size(), 260u);
    select(10);
    dropFiles(*program_, main_, {deepPath});
    EXPECT_EQ(program_->waitForMessageBox().text, question.text);
    program_->answer(program_->waitForMessageBox(), kOk);
    EXPECT_EQ(program_->waitForMessageBox().text, "Done !");
    program_->answer(program_->waitForMessageBox(), kOk);
    expectFile("audio\\speech\\00740010.iff", expected);
}

TEST_F(Import, CancelledDialogChangesNothing) {
    start();
    select(4);
    click(button("Attach WAV"));
    chooseFile("");
    settle(main_);
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

// The 2.000 s 440 Hz tone, compressed at build time (tests/data/sound/make-sounds.sh).
std::string toneFile(const std::string& name) {
    return readFile(windowsPath(std::string(QUILLORY_SOUNDS) + "/" + name)).value_or("");
}

TEST_F(Import, ConvertsEachCompressedKindOfAnyNameAfterTheQuestionNamedForIt) {
    start();
    // Frames more or less than the tone's: 20 ms, or WMA's last frame of 2048.
    const struct {
        const char *file, *kind;
        unsigned channels;
        int slack;
    } kCases[] = {
        {"cbr.mp3", "MP3", 1, 0},     {"vbr-id3.mp3", "MP3", 2, 0},  {"tone.m4a", "M4A", 1, 882},
        {"tone.wma", "WMA", 1, 2048}, {"tone.flac", "FLAC", 1, 882}, {"tone.ogg", "OGG", 1, 882},
    };
    int slot = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.file);
        // Named as a WAVE file: its bytes tell what it is.
        const MessageBoxView question = attach(++slot, toneFile(c.file));
        expectBox(question,
                  std::string("This file holds ") + c.kind + " sound. Convert it to 16-bit PCM ?",
                  "", {kOk, kCancel}, BoxIcon::Question);
        program_->answer(question, kOk);
        const MessageBoxView done = program_->waitForMessageBox();
        expectBox(done, "Done !", "", {kOk}, BoxIcon::None);
        program_->answer(done, kOk);

        const std::string speech = readFile(game_.path(speechName(slot))).value_or("");
        ASSERT_GT(speech.size(), 44u);
        std::vector<std::int16_t> pcm((speech.size() - 44) / 2);
        std::memcpy(pcm.data(), speech.data() + 44, pcm.size() * 2);
        EXPECT_NEAR(double(pcm.size() / c.channels), 88200, c.slack);
        EXPECT_EQ(
            speech.substr(0, 44),
            speechFile(formatBlock(1, c.channels, 44100, 16), speech.substr(44)).substr(0, 44));
        // A tone, not noise: one rise through zero a period of the first channel, in a second
        // past a decoder's lead-in (which Wine's WMA decoder varies).
        int rising = 0;
        for (std::size_t i = 4096 * c.channels; i < 48196 * c.channels; i += c.channels) {
            rising += i < pcm.size() && pcm[i - c.channels] < 0 && pcm[i] >= 0;
        }
        EXPECT_NEAR(rising, 440, 2);
    }
}

// Run with Media Foundation's source reader disabled, as on an "N" edition of Windows.
using ImportWithoutMediaFoundation = Import;
TEST_F(ImportWithoutMediaFoundation, RefusesAnM4aSayingWhatToDo) {
    start();
    const MessageBoxView box = attach(5, toneFile("tone.m4a"));
    expectBox(box,
              "Windows' media components are missing on this PC. Install the Media Feature Pack, "
              "or convert the file to WAV first.",
              "Error", {kOk}, BoxIcon::Warning);
    program_->answer(box, kOk);
    EXPECT_FALSE(dirExists(game_.path("audio")));
}

}  // namespace
}  // namespace quillory::e2e
