// The WAVE reader, the speech sample file's header, and the import that writes the file of a
// slot below the game's folder.
#include "game/speech_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "formats/speech.h"
#include "formats/wave.h"
#include "platform/error.h"
#include "tests/support/bytes.h"
#include "tests/support/error_code.h"
#include "tests/support/expected.h"
#include "tests/support/faulty_fs.h"
#include "tests/support/game_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace quillory {
namespace {

using test::be32;
using test::FaultyFileSystem;
using test::formatBlock;
using test::GameFolder;
using test::le;
using test::speechFile;
using test::Wave;

// A string literal with the zero bytes inside it.
template <std::size_t N>
std::string bin(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

const std::string kMono16 = formatBlock(1, 1, 22050, 16);

std::string samples(std::size_t count, unsigned seed = 1) {
    std::string out(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<char>((i * 37 + seed * 101 + (i >> 8)) & 0xFF);
    }
    return out;
}

std::string fixture(const std::string& name) {
    std::string path = std::string(QUILLORY_TEST_DATA) + "/wav/" + name;
#ifdef _WIN32
    path = "Z:" + path;  // the build's Linux path, seen through Wine's drive of the root
#endif
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "missing test file " << path;
        return {};
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SpeechImport : public testing::Test {
protected:
    // Imports `wave` (written to a file beside the game's folders) into `slot`; false, with
    // `refusal` set, when the reader refused it.
    bool import(const std::string& wave, int slot = 7) {
        game.write("input.wav", wave);
        return importFile(slot);
    }
    bool importFile(int slot = 7) { return importWith(systemFileSystem(), slot); }
    bool importWith(FileSystem& fs, int slot = 7) {
        progress.clear();
        WaveImport importing(fs, game.path("input.wav"));
        refusal = importing.wave().refusal;
        if (refusal != WaveRefusal::None) {
            return false;
        }
        importing.WriteSpeechFile(game.dir(), slot, [&](std::uint64_t done, std::uint64_t total) {
            progress.push_back(std::to_string(done) + "/" + std::to_string(total));
        });
        return true;
    }
    // The import's error code, 0 when it did not fail.
    int importFailure(const std::string& wave, int slot = 7) {
        return test::errorCodeOf([&] { import(wave, slot); });
    }

    std::string written(const std::string& name = "00740007.iff") const {
        return game.read("audio\\speech\\" + name);
    }
    // Nothing but the input file in the game's folder.
    void expectNothingWritten() const { EXPECT_EQ(game.listing(""), "input.wav"); }

    GameFolder game;
    WaveRefusal refusal = WaveRefusal::None;
    std::vector<std::string> progress;
};

// --- The speech sample file --------------------------------------------------------------

TEST_F(SpeechImport, CommonHeaderGivesThe1044ByteFileByteForByte) {
    const std::string sound = samples(1000);
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", sound).bytes()));

    const unsigned char header[44] = {
        0x46, 0x4F, 0x52, 0x4D, 0x00, 0x00, 0x04, 0x0C, 0x53, 0x41, 0x4D, 0x50, 0x46, 0x52, 0x4D,
        0x54, 0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x01, 0x00, 0x22, 0x56, 0x00, 0x00, 0x44, 0xAC,
        0x00, 0x00, 0x02, 0x00, 0x10, 0x00, 0x44, 0x41, 0x54, 0x41, 0x00, 0x00, 0x03, 0xE8};
    const std::string file = written();
    ASSERT_EQ(file.size(), 1044u);
    EXPECT_EQ(file.substr(0, 44), std::string(reinterpret_cast<const char*>(header), 44));
    EXPECT_EQ(file.substr(44), sound);
    EXPECT_EQ(progress, (std::vector<std::string>{"0/1000", "1000/1000"}));
    EXPECT_EQ(game.listing("audio\\speech"), "00740007.iff");
}

TEST_F(SpeechImport, OnlyTheDataChunksBytesAreCopied) {
    const std::string sound = samples(1000);
    // A 26-byte chunk after the samples: not sound, not copied.
    ASSERT_TRUE(import(Wave()
                           .chunk("fmt ", kMono16)
                           .chunk("data", sound)
                           .chunk("LIST", bin("INFOICMT\x0a\0\0\0more data!"))
                           .bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, sound));

    // An odd data chunk: its pad byte is not sound either.
    const std::string odd = samples(999, 2);
    ASSERT_TRUE(
        import(Wave().chunk("fmt ", kMono16).chunk("data", odd).chunk("id3 ", "ID3xxx").bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, odd));
}

TEST_F(SpeechImport, ChunksAreFoundByWalkingTheChunkList) {
    const std::string sound = samples(300);
    const std::string block = formatBlock(1, 2, 11025, 8);
    // "data" and "fmt " inside earlier chunks, an odd chunk with its pad byte in between, and
    // the format chunk after a chunk of another kind.
    const std::string wave = Wave()
                                 .chunk("JUNK", "fmt data fmt ")
                                 .chunk("fmt ", block)
                                 .chunk("LIST", bin("INFOINAM\x08\0\0\0the data"))
                                 .chunk("fact", le(300, 4))
                                 .chunk("data", sound)
                                 .bytes();
    ASSERT_TRUE(import(wave));
    EXPECT_EQ(written(), speechFile(block, sound));
}

TEST_F(SpeechImport, LongerFormatChunksGiveTheirFirstSixteenBytes) {
    const std::string sound = samples(64);
    const std::string block = formatBlock(1, 1, 8000, 8);
    ASSERT_TRUE(import(Wave().chunk("fmt ", block + le(0, 2)).chunk("data", sound).bytes()));
    EXPECT_EQ(written(), speechFile(block, sound));

    // 40 bytes: the extensible layout, but with the PCM tag.
    const std::string extension = le(22, 2) + le(16, 2) + le(4, 4) + std::string(16, 'g');
    ASSERT_TRUE(import(Wave().chunk("fmt ", block + extension).chunk("data", sound).bytes()));
    EXPECT_EQ(written(), speechFile(block, sound));
}

TEST_F(SpeechImport, FileEndingInsideTheSamplesGivesTheBytesThatAreThere) {
    const std::string sound = samples(600);
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", 1000, sound).bytes()));
    const std::string file = written();
    EXPECT_EQ(file, speechFile(kMono16, sound));
    EXPECT_EQ(file.substr(4, 4), be32(636));
    EXPECT_EQ(file.substr(40, 4), be32(600));
}

TEST_F(SpeechImport, DataChunkHeaderAtTheEndGivesAnEmptySample) {
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", 0, "").bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, ""));
    EXPECT_EQ(written().substr(4, 4), be32(36));
    // Declared but absent.
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", 5000, "").bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, ""));
}

TEST_F(SpeechImport, FormTypeAloneDecidesNotTheRiffIdentifier) {
    const std::string sound = samples(10);
    std::string wave = Wave().chunk("fmt ", kMono16).chunk("data", sound).bytes();
    wave.replace(0, 4, "JUNK");
    ASSERT_TRUE(import(wave));
    EXPECT_EQ(written(), speechFile(kMono16, sound));
}

TEST_F(SpeechImport, EachSlotWritesItsOwnFileAndReplacesItWhole) {
    game.makeDir("audio\\speech");
    game.write("audio\\speech\\00740012.iff", std::string(5000, 'x'));
    const std::string wave = Wave().chunk("fmt ", kMono16).chunk("data", samples(20)).bytes();
    for (int slot : {0, 9, 10, 12, 39}) {
        ASSERT_TRUE(import(wave, slot)) << slot;
    }
    EXPECT_EQ(game.listing("audio\\speech"),
              "00740000.iff 00740009.iff 00740010.iff 00740012.iff 00740039.iff");
    EXPECT_EQ(written("00740012.iff"), speechFile(kMono16, samples(20)));
}

// --- Real files from real encoders -----------------------------------------------------

struct RealPcm {
    const char* name;
    unsigned channels;
    std::uint32_t rate;
    unsigned bits;
};

void PrintTo(const RealPcm& file, std::ostream* out) { *out << file.name; }

class RealPcmFiles : public SpeechImport, public testing::WithParamInterface<RealPcm> {};

TEST_P(RealPcmFiles, FormatAndSoundArriveUnchanged) {
    const RealPcm& file = GetParam();
    const std::string name = file.name;
    // The sound bytes as another reader (Python's wave module) found them.
    const std::string sound = fixture(name + ".samples");
    ASSERT_FALSE(sound.empty());
    ASSERT_TRUE(import(fixture(name + ".wav"), 21));
    const std::string block = formatBlock(1, file.channels, file.rate, file.bits);
    const std::string speech = written("00740021.iff");
    EXPECT_EQ(speech, speechFile(block, sound));
    // Played back, it is the original's format and sound again.
    const std::optional<SpeechSample> sample = readSpeechFile(speech);
    ASSERT_TRUE(sample.has_value());
    EXPECT_EQ(waveImage(*sample), test::playedWave(block, sound));
    EXPECT_EQ(game.listing("audio\\speech"), "00740021.iff");
}

INSTANTIATE_TEST_SUITE_P(Encoders, RealPcmFiles,
                         testing::Values(RealPcm{"pcm8-mono-sox", 1, 8000, 8},
                                         RealPcm{"pcm16-stereo-sox", 2, 8000, 16},
                                         RealPcm{"pcm16-mono-espeak", 1, 22050, 16},
                                         RealPcm{"pcm8-stereo-python", 2, 11025, 8},
                                         RealPcm{"pcm16-mono-python", 1, 11025, 16},
                                         RealPcm{"pcm8-list-before-ffmpeg", 1, 8000, 8},
                                         RealPcm{"pcm8-odd-pad-ffmpeg", 1, 8000, 8},
                                         RealPcm{"pcm8-odd-list-after-python", 1, 8000, 8}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(SpeechImport, RealFilesThatAreNotPcmAreRefused) {
    for (const char* name :
         {"float-sox.wav", "adpcm-ms-sox.wav", "mulaw-sox.wav", "extensible24-ffmpeg.wav"}) {
        SCOPED_TRACE(name);
        const std::string wave = fixture(name);
        ASSERT_FALSE(wave.empty());
        EXPECT_FALSE(import(wave));
        EXPECT_EQ(refusal, WaveRefusal::NotPcm);
        expectNothingWritten();
    }
}

// --- Refusals -----------------------------------------------------------------------------

TEST(WaveReader, RefusesWhatIsNoPcmWaveInTheOrderOfItsTests) {
    const std::string good = Wave().chunk("fmt ", kMono16).chunk("data", samples(8)).bytes();
    std::string avi = good;
    avi.replace(8, 4, "AVI ");
    std::string lowerCase = good;
    lowerCase.replace(8, 4, "wave");
    struct Case {
        std::string what;
        std::string wave;
        WaveRefusal refusal;
    };
    std::vector<Case> cases = {
        {"empty", "", WaveRefusal::Empty},
        {"another form type", avi, WaveRefusal::NotWave},
        {"the form type in lower case", lowerCase, WaveRefusal::NotWave},
        {"only the RIFF header", good.substr(0, 12), WaveRefusal::NoFormat},
        {"no format chunk", Wave().chunk("data", samples(8)).bytes(), WaveRefusal::NoFormat},
        {"ends inside the format chunk header", good.substr(0, 18), WaveRefusal::NoFormat},
        {"ends inside the format block", good.substr(0, 30), WaveRefusal::NoFormat},
        {"a format chunk shorter than the block",
         Wave().chunk("fmt ", kMono16.substr(0, 14)).chunk("data", samples(8)).bytes(),
         WaveRefusal::ShortFormat},
        {"floating point",
         Wave().chunk("fmt ", formatBlock(3, 1, 8000, 32)).chunk("data", samples(8)).bytes(),
         WaveRefusal::NotPcm},
        {"no data chunk", Wave().chunk("fmt ", kMono16).bytes(), WaveRefusal::NoData},
        {"\"data\" only inside another chunk",
         Wave().chunk("fmt ", kMono16).chunk("LIST", bin("INFOdata\4\0\0\0abcd")).bytes(),
         WaveRefusal::NoData},
        {"ends inside the data chunk header", good.substr(0, 40), WaveRefusal::NoData},
        {"chunk size past the end",
         Wave().chunk("JUNK", 0xFFFFFFF0u, "x").chunk("fmt ", kMono16).bytes(),
         WaveRefusal::NoFormat},
    };
    for (std::size_t size = 1; size <= 11; ++size) {
        cases.push_back(
            {std::to_string(size) + " bytes", good.substr(0, size), WaveRefusal::TooShort});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySource source(c.wave);
        const WaveDescription wave = describeWave(source);
        EXPECT_EQ(wave.refusal, c.refusal);
        // The form type passed for every refusal after its test.
        EXPECT_EQ(wave.isWave, c.refusal != WaveRefusal::Empty &&
                                   c.refusal != WaveRefusal::TooShort &&
                                   c.refusal != WaveRefusal::NotWave);
    }
}

TEST(SpeechFile, OnlyWhatTheImportCouldHaveWrittenIsPlayed) {
    const std::string good = speechFile(kMono16, samples(100));
    ASSERT_TRUE(readSpeechFile(good).has_value());
    EXPECT_EQ(readSpeechFile(good)->samples, samples(100));
    // The sizes may not reach beyond the file; trailing bytes are no sound.
    EXPECT_EQ(readSpeechFile(good + "tail")->samples, samples(100));
    EXPECT_EQ(readSpeechFile(speechFile(kMono16, ""))->samples, "");

    const auto with = [&](std::size_t at, const std::string& bytes) {
        std::string broken = good;
        broken.replace(at, bytes.size(), bytes);
        return broken;
    };
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"empty", ""},
        {"the header cut short", good.substr(0, 43)},
        {"samples cut short", good.substr(0, good.size() - 1)},
        {"RIFF for FORM", with(0, "RIFF")},
        {"another form type", with(8, "WAVE")},
        {"another first chunk", with(12, "fmt ")},
        {"a format chunk of 18 bytes", with(16, be32(18))},
        {"another second chunk", with(36, "data")},
        {"FORM size beyond the file", with(4, be32(static_cast<std::uint32_t>(good.size())))},
        {"DATA size beyond the file", with(40, be32(101))},
        {"DATA size of 4 GiB", with(40, be32(0xFFFFFFFF))},
        {"floating point", with(20, formatBlock(3, 1, 22050, 32))},
        {"extensible", with(20, formatBlock(0xFFFE, 1, 22050, 16))},
        {"no channel", with(20, formatBlock(1, 0, 22050, 16))},
        {"no sample rate", with(20, formatBlock(1, 1, 0, 16))},
        {"no bits", with(34, le(0, 2))},
    };
    for (const auto& [what, bytes] : broken) {
        EXPECT_FALSE(readSpeechFile(bytes).has_value()) << what;
    }
}

TEST(SpeechFile, PlayingTimeIsRoundedUp) {
    const std::string stereo16 = formatBlock(1, 2, 11025, 16);
    const auto timeOf = [](const std::string& file) {
        return playingTimeMs(*readSpeechFile(file));
    };
    EXPECT_EQ(timeOf(speechFile(stereo16, std::string(44100, 'x'))), 1000u);
    EXPECT_EQ(timeOf(speechFile(stereo16, std::string(44104, 'x'))), 1001u);
    EXPECT_EQ(timeOf(speechFile(stereo16, "")), 0u);
}

TEST_F(SpeechImport, RefusedFilesWriteNothing) {
    EXPECT_FALSE(import(""));
    EXPECT_EQ(refusal, WaveRefusal::Empty);
    EXPECT_FALSE(import(Wave().chunk("fmt ", kMono16).bytes()));
    EXPECT_EQ(refusal, WaveRefusal::NoData);
    expectNothingWritten();
}

TEST_F(SpeechImport, MissingWaveFileIsNotFound) {
    EXPECT_EQ(test::errorCodeOf([&] { importFile(); }), kFileNotFound);
    EXPECT_EQ(game.listing(""), "");
}

// --- Folders, read-only files and failures ----------------------------------------------

TEST_F(SpeechImport, MissingFoldersAreCreatedOneLevelAtATime) {
    const std::string wave = Wave().chunk("fmt ", kMono16).chunk("data", samples(8)).bytes();
    ASSERT_TRUE(import(wave));
    EXPECT_EQ(game.listing(""), "audio input.wav");
    EXPECT_EQ(game.listing("audio"), "speech");

    // "audio" without "audio\speech".
    GameFolder other;
    other.makeDir("audio");
    other.write("input.wav", wave);
    WaveImport importing(systemFileSystem(), other.path("input.wav"));
    importing.WriteSpeechFile(other.dir(), 3, [](std::uint64_t, std::uint64_t) {});
    EXPECT_EQ(other.read("audio\\speech\\00740003.iff"), speechFile(kMono16, samples(8)));
}

TEST_F(SpeechImport, FoldersOfTheGameAreFoundWhateverTheirCase) {
    game.makeDir("AUDIO\\Speech");
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", samples(8)).bytes()));
    EXPECT_EQ(game.listing(""), "AUDIO input.wav");
    EXPECT_EQ(game.listing("AUDIO\\Speech"), "00740007.iff");
}

TEST_F(SpeechImport, ReadOnlyWaveFileImportsAndStaysAsItWas) {
    const std::string wave = Wave().chunk("fmt ", kMono16).chunk("data", samples(100)).bytes();
    game.write("input.wav", wave);
    game.setReadOnly("input.wav", true);
    ASSERT_TRUE(importFile());
    EXPECT_EQ(written(), speechFile(kMono16, samples(100)));
    EXPECT_EQ(game.read("input.wav"), wave);
}

TEST_F(SpeechImport, ReadOnlyEarlierFileIsDeniedAndKept) {
    game.makeDir("audio\\speech");
    game.write("audio\\speech\\00740007.iff", "earlier");
    game.setReadOnly("audio\\speech\\00740007.iff", true);
    EXPECT_EQ(importFailure(Wave().chunk("fmt ", kMono16).chunk("data", samples(100)).bytes()),
              kAccessDenied);
    EXPECT_EQ(written(), "earlier");
    EXPECT_EQ(game.listing("audio\\speech"), "00740007.iff");
}

TEST_F(SpeechImport, FailureAtEveryWriteStepKeepsTheEarlierFile) {
    // Large enough for several writes of the copy.
    const std::string wave =
        Wave().chunk("fmt ", kMono16).chunk("data", samples(200 * 1024)).bytes();
    game.write("input.wav", wave);
    game.makeDir("audio\\speech");
    const std::string earlier = "FORM earlier speech sample";
    game.write("audio\\speech\\00740007.iff", earlier);

    FaultyFileSystem counting;
    ASSERT_TRUE(importWith(counting));
    const int steps = counting.steps();
    ASSERT_GE(steps, 5);  // create, writes, flush, close, replace

    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE("failing step " + std::to_string(step));
        game.write("audio\\speech\\00740007.iff", earlier);
        FaultyFileSystem faulty(step, kDiskFull);
        EXPECT_EQ(test::errorCodeOf([&] { importWith(faulty); }), kDiskFull);
        EXPECT_EQ(written(), earlier);
        EXPECT_EQ(game.listing("audio\\speech"), "00740007.iff");
    }
}

TEST_F(SpeechImport, TemporaryFileLeftByACrashIsReplacedAndGone) {
    game.makeDir("audio\\speech");
    game.write("audio\\speech\\00740007.iff.tmp", std::string(3000, 'c'));
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", samples(30)).bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, samples(30)));
    EXPECT_EQ(game.listing("audio\\speech"), "00740007.iff");
}

#ifndef _WIN32
// The process may write no file beyond `bytes`, as on a disk that is full there.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_;
    void (*oldHandler_)(int);
};

TEST_F(SpeechImport, FullDiskKeepsTheEarlierFile) {
    const std::string wave =
        Wave().chunk("fmt ", kMono16).chunk("data", samples(300 * 1024)).bytes();
    game.write("input.wav", wave);
    game.makeDir("audio\\speech");
    game.write("audio\\speech\\00740007.iff", "earlier");
    int code = 0;
    {
        FileSizeLimit full(100 * 1024);
        code = test::errorCodeOf([&] { importFile(); });
    }
    EXPECT_EQ(code, kDiskFull);
    EXPECT_EQ(written(), "earlier");
    EXPECT_EQ(game.listing("audio\\speech"), "00740007.iff");
}
#endif

}  // namespace
}  // namespace quillory
