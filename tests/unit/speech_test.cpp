// The WAVE reader, the speech sample file's header, and the import that writes the file of a
// slot below the game's folder.
#include "game/speech_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <vector>

#include "formats/speech.h"
#include "formats/wave.h"
#include "game/voices.h"
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
        described = importing.wave();
        refusal = described.refusal;
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
    WaveDescription described;
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

// Decoded sound, whose length the decoder could only estimate: the file's sizes are those of
// the samples there were, fewer, more or none.
TEST_F(SpeechImport, DecodedSoundGetsTheSizesOfItsSamplesNotOfTheEstimate) {
    for (const std::size_t bytes : {1000u, 3000u, 0u}) {
        const std::string samples = test::pattern(bytes);
        VoiceSound voice =
            DecodedVoice({{2, 44100, 16}, 2000, std::make_unique<MemorySamples>(samples)});
        WriteVoice(GameDirectory(systemFileSystem(), game.dir()), 7, voice, [](auto, auto) {});
        EXPECT_EQ(written(), speechFile(formatBlock(1, 2, 44100, 16), samples)) << bytes;
    }
}

TEST_F(SpeechImport, DataChunkHeaderAtTheEndGivesAnEmptySample) {
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", 0, "").bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, ""));
    EXPECT_EQ(written().substr(4, 4), be32(36));
    // Declared but absent.
    ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", 5000, "").bytes()));
    EXPECT_EQ(written(), speechFile(kMono16, ""));
}

TEST_F(SpeechImport, DataSizeUnknownToTheWriterRunsToTheEnd) {
    const std::string sound = samples(300);
    for (std::uint32_t declared : {0u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(import(Wave().chunk("fmt ", kMono16).chunk("data", declared, sound).bytes()));
        EXPECT_EQ(written(), speechFile(kMono16, sound)) << declared;
    }
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

std::string testName(std::string name) {
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

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
    // Read back for playing, it is the original's sound again.
    const std::optional<SpeechSample> sample = readSpeechFile(speech);
    ASSERT_TRUE(sample.has_value());
    EXPECT_EQ(sample->samples, sound);
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
                                         RealPcm{"pcm8-odd-list-after-python", 1, 8000, 8},
                                         // Extensible, PCM sub-format: a PCM block, the samples
                                         // unchanged.
                                         RealPcm{"extensible16-6ch-ffmpeg", 6, 8000, 16},
                                         RealPcm{"extensible8-6ch-ffmpeg", 6, 8000, 8}),
                         [](const auto& info) { return testName(info.param.name); });

TEST_F(SpeechImport, RealFilesThatAreNotPcmAreRefused) {
    for (const char* name : {"adpcm-ms-sox.wav", "mulaw-sox.wav"}) {
        SCOPED_TRACE(name);
        const std::string wave = fixture(name);
        ASSERT_FALSE(wave.empty());
        EXPECT_FALSE(import(wave));
        EXPECT_EQ(refusal, WaveRefusal::NotPcm);
        expectNothingWritten();
    }
}

// --- Conversions to 16-bit PCM ----------------------------------------------------------

struct RealConverted {
    const char* name;
    SampleEncoding encoding;
    unsigned channels;
    unsigned containerBits;
    unsigned validBits;
};

void PrintTo(const RealConverted& file, std::ostream* out) { *out << file.name; }

class RealConvertedFiles : public SpeechImport,
                           public testing::WithParamInterface<RealConverted> {};

TEST_P(RealConvertedFiles, GiveTheReferenceSamplesExactly) {
    const RealConverted& file = GetParam();
    const std::string name = file.name;
    // NAME.s16 was made without this program (tools/make-wav-fixtures.sh): by sox for the
    // integers, where sox rounds from the top bits and stops at 32767 as the import does; by
    // numpy for the floats, since sox scales them by 32768 and so is 1 off in about half the
    // samples (and -32768 for NaN). Either way the import must give every sample exactly.
    const std::string reference = fixture(name + ".s16");
    ASSERT_FALSE(reference.empty());
    ASSERT_TRUE(import(fixture(name + ".wav"), 21));
    EXPECT_EQ(described.encoding, file.encoding);
    EXPECT_EQ(described.containerBits, file.containerBits);
    EXPECT_EQ(described.validBits, file.validBits);
    EXPECT_EQ(written("00740021.iff"),
              speechFile(formatBlock(1, file.channels, 8000, 16), reference));
    const std::string size = std::to_string(reference.size());
    EXPECT_EQ(progress, (std::vector<std::string>{"0/" + size, size + "/" + size}));
}

constexpr SampleEncoding kInteger = SampleEncoding::Integer;
constexpr SampleEncoding kFloat = SampleEncoding::Float;

INSTANTIATE_TEST_SUITE_P(Encoders, RealConvertedFiles,
                         testing::Values(RealConverted{"extensible24-ffmpeg", kInteger, 1, 24, 24},
                                         RealConverted{"int24-stereo-ffmpeg", kInteger, 2, 24, 24},
                                         RealConverted{"int24-stereo-sox", kInteger, 2, 24, 24},
                                         RealConverted{"int24-mono-python", kInteger, 1, 24, 24},
                                         RealConverted{"int32-mono-python", kInteger, 1, 32, 32},
                                         RealConverted{"extensible20in24-python", kInteger, 1, 24,
                                                       20},
                                         RealConverted{"float-sox", kFloat, 1, 32, 32},
                                         RealConverted{"float64-sox", kFloat, 1, 64, 64},
                                         RealConverted{"float32-ffmpeg", kFloat, 1, 32, 32},
                                         RealConverted{"float64-stereo-ffmpeg", kFloat, 2, 64, 64},
                                         RealConverted{"float32-3ch-ffmpeg", kFloat, 3, 32, 32},
                                         RealConverted{"float32-edges-python", kFloat, 1, 32, 32}),
                         [](const auto& info) { return testName(info.param.name); });

// A format chunk of the extensible kind: the block, cbSize, valid bits, channel mask and the
// sub-format GUID of `kind` (1 PCM, 3 IEEE float).
std::string extensible(unsigned channels, unsigned bits, unsigned valid, unsigned kind = 1,
                       unsigned cbSize = 22) {
    return formatBlock(0xFFFE, channels, 8000, bits) + le(cbSize, 2) + le(valid, 2) + le(4, 4) +
           le(kind, 2) + bin("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71");
}

std::string sixteen(const std::vector<int>& values) {
    std::string out;
    for (int value : values) {
        out += le(static_cast<std::uint32_t>(value), 2);
    }
    return out;
}

template <typename Number>
std::string bytesOf(const std::vector<Number>& values) {
    std::string out(values.size() * sizeof(Number), '\0');
    std::memcpy(out.data(), values.data(), out.size());  // little-endian, as the test hosts are
    return out;
}

TEST(WaveReader, TellsWhatBecomesOfEachFormat) {
    const auto describe = [](const std::string& wave) {
        MemorySource source(wave);
        return describeWave(source);
    };
    // Files of 100 sound bytes: whole frames but for the 24- and 64-bit stereo ones.
    struct Case {
        std::string what;
        std::string format;
        SampleEncoding encoding;
        unsigned containerBits, validBits;
        std::string block;  // the speech sample file's
        std::uint32_t speechBytes;
    };
    const std::vector<Case> cases = {
        {"24-bit stereo", formatBlock(1, 2, 8000, 24), kInteger, 24, 24,
         formatBlock(1, 2, 8000, 16), 64},
        {"64-bit float stereo", formatBlock(3, 2, 8000, 64), kFloat, 64, 64,
         formatBlock(1, 2, 8000, 16), 24},
        {"extensible, 0 valid bits", extensible(1, 32, 0), kInteger, 32, 32,
         formatBlock(1, 1, 8000, 16), 50},
        {"extensible, 12 bits in 16", extensible(6, 16, 12) + "more", SampleEncoding::Copy, 16, 12,
         formatBlock(1, 6, 8000, 16), 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WaveDescription found =
            describe(Wave().chunk("fmt ", c.format).chunk("data", samples(100)).bytes());
        ASSERT_EQ(found.refusal, WaveRefusal::None);
        EXPECT_EQ(found.encoding, c.encoding);
        EXPECT_EQ(found.containerBits, c.containerBits);
        EXPECT_EQ(found.validBits, c.validBits);
        EXPECT_EQ(std::string(found.format.begin(), found.format.end()), c.block);
        EXPECT_EQ(found.sampleBytes, 100u);
        EXPECT_EQ(found.speechBytes, c.speechBytes);
    }

    // Refused before the data chunk is looked for: none is needed.
    const auto fmt = [](const std::string& contents, std::uint32_t size = 0) {
        return Wave().chunk("fmt ", size ? size : contents.size(), contents).bytes();
    };
    const std::string full = extensible(1, 24, 24);
    std::string foreignGuid = full;
    foreignGuid[39] = 0x72;
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"a foreign GUID", fmt(foreignGuid)},
        {"the ADPCM GUID", fmt(extensible(1, 4, 4, 2))},
        {"cbSize 21", fmt(extensible(1, 24, 24, 1, 21))},
        // The whole extension is in the file, but past the end of its chunk.
        {"a format chunk of 39 bytes", fmt(full, 39)},
        {"a format chunk of 18 bytes", fmt(full, 18)},
        {"the file ending inside the extension", fmt(full.substr(0, 30), 40)},
        {"25 valid bits in 24", fmt(extensible(1, 24, 25))},
        {"extensible 12-bit PCM", fmt(extensible(1, 12, 12))},
        {"extensible, no channels", fmt(extensible(0, 24, 24))},
        {"24-bit PCM, no channels", fmt(formatBlock(1, 0, 8000, 24))},
        {"32-bit PCM, 40000 channels", fmt(formatBlock(1, 40000, 8000, 32))},
        {"bytes a second past 32 bits", fmt(formatBlock(1, 2, 0x40000000, 24))},
    };
    for (const auto& [what, wave] : refused) {
        SCOPED_TRACE(what);
        EXPECT_EQ(describe(wave).refusal, WaveRefusal::NotPcm);
    }
}

TEST_F(SpeechImport, ConversionRoundsToTheNearestAndClamps) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::string what;
        std::string format;
        std::string sound;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        // Full scale, the rounding up past it, and the rounding around 0 and one step.
        {"24 bits",
         formatBlock(1, 1, 8000, 24),
         bin("\xFF\xFF\x7F\0\0\x80\x80\xFF\x7F\x7F\xFF\x7F\x80\0\0\x7F\0\0"
             "\x80\xFF\xFF\x7F\xFF\xFF\x56\x34\x12\xD6\x34\x12"),
         {32767, -32768, 32767, 32767, 1, 0, 0, -1, 0x1234, 0x1235}},
        {"32 bits",
         formatBlock(1, 1, 8000, 32),
         le(0x7FFFFFFF, 4) + le(0x80000000, 4) + le(0x7FFF8000, 4) + le(0x7FFF7FFF, 4) +
             le(0x8000, 4) + le(0x7FFF, 4) + le(0xFFFF8000, 4) + le(0xFFFF7FFF, 4),
         {32767, -32768, 32767, 32767, 1, 0, 0, -1}},
        // 0.5 and 0.25 scale to 16383.5 and 8191.75; 0.0001 to 3.2767.
        {"32-bit float",
         formatBlock(3, 1, 8000, 32),
         bytesOf<float>({static_cast<float>(nan), -static_cast<float>(nan), static_cast<float>(inf),
                         -static_cast<float>(inf), 1.5f, -2.0f, 1.0f, -1.0f, 0.5f, -0.5f, 0.25f,
                         -0.25f, 0.0001f, -0.0f}),
         {0, 0, 32767, -32767, 32767, -32767, 32767, -32767, 16384, -16384, 8192, -8192, 3, 0}},
        {"64-bit float",
         formatBlock(3, 1, 8000, 64),
         bytesOf<double>({nan, -inf, 1e300, -1e-300, 0.75, -0.75, 0.5, -1.0000001}),
         {0, -32767, 32767, 0, 24575, -24575, 16384, -32767}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(import(Wave().chunk("fmt ", c.format).chunk("data", c.sound).bytes()));
        EXPECT_EQ(written(), speechFile(formatBlock(1, 1, 8000, 16), sixteen(c.expected)));
    }
}

// 24-bit stereo whose samples convert to `frames` known 16-bit frames: each 16-bit value
// with a low byte below the half beneath it.
std::string known24(std::size_t frames, std::string& sixteenBit) {
    std::string sound;
    for (std::size_t i = 0; i < 2 * frames; ++i) {
        const auto value = static_cast<std::uint16_t>(i * 7919 + i / 3);
        sound += static_cast<char>(i % 128) + le(value, 2);
        sixteenBit += le(value, 2);
    }
    return sound;
}

TEST_F(SpeechImport, ConversionStreamsTheWholeFramesInBlocks) {
    std::string expected;
    std::string sound = known24(700001, expected);  // about 4 MB
    sound += "\x12\x34\x56\x78\x9A";                // a frame cut short by the end of the file
    const std::string block = formatBlock(1, 2, 44100, 24);
    const auto declared = static_cast<std::uint32_t>(sound.size() + 1000);
    ASSERT_TRUE(import(Wave().chunk("fmt ", block).chunk("data", declared, sound).bytes()));

    EXPECT_EQ(written(), speechFile(formatBlock(1, 2, 44100, 16), expected));
    const std::string total = std::to_string(expected.size());
    ASSERT_GE(progress.size(), 4u);  // more than one block
    EXPECT_EQ(progress.front(), "0/" + total);
    EXPECT_EQ(progress.back(), total + "/" + total);
    for (std::size_t i = 1; i < progress.size(); ++i) {
        EXPECT_LT(std::stoul(progress[i - 1]), std::stoul(progress[i]));
        EXPECT_EQ(progress[i].substr(progress[i].find('/')), "/" + total);
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
        {"floating point of 16 bits",
         Wave().chunk("fmt ", formatBlock(3, 1, 8000, 16)).chunk("data", samples(8)).bytes(),
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

TEST_F(SpeechImport, ImportWritesOnlyVoicesAndOnlyVoicesArePlayed) {
    const auto aligned = [](std::string block, unsigned align) {
        return block.replace(12, 2, le(align, 2));
    };
    struct Case {
        std::string what;
        std::string block;
        bool imported, played;
    };
    // The refused ones first: nothing may be written for them.
    const std::vector<Case> cases = {
        {"no channel", formatBlock(1, 0, 8000, 16), false, false},
        {"no rate", formatBlock(1, 1, 0, 8), false, false},
        {"alignment 0", aligned(kMono16, 0), false, false},
        {"alignment 3 for one 16-bit channel", aligned(kMono16, 3), false, false},
        {"12 bits", formatBlock(1, 1, 8000, 12), false, false},
        {"24 bits, no rate", formatBlock(1, 2, 0, 24), false, false},
        {"24 bits, alignment 0", aligned(formatBlock(1, 2, 8000, 24), 0), false, false},
        {"float, alignment 8 for mono", aligned(formatBlock(3, 1, 8000, 32), 8), false, false},
        {"8-bit stereo", formatBlock(1, 2, 8000, 8), true, true},
        {"16-bit mono", kMono16, true, true},
        {"24 bits, converted", formatBlock(1, 2, 8000, 24), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readSpeechFile(speechFile(c.block, samples(48))).has_value(), c.played);
        ASSERT_EQ(import(Wave().chunk("fmt ", c.block).chunk("data", samples(48)).bytes()),
                  c.imported);
        if (c.imported) {
            EXPECT_TRUE(readSpeechFile(written()).has_value());
        } else {
            EXPECT_EQ(refusal, WaveRefusal::BadFormat);
            expectNothingWritten();
        }
    }
}

// A file of `length` bytes of which only the first are held.
class LongSource : public MemorySource {
public:
    LongSource(std::string_view head, std::uint64_t length) : MemorySource(head), length_(length) {}
    std::uint64_t size() override { return length_; }

private:
    std::uint64_t length_;
};

TEST(WaveReader, RefusesSoundPastWhatASpeechFileCanCount) {
    constexpr std::uint64_t kMost = 0xFFFFFFFFu - 36;  // FORM size 36 + DATA size
    const std::string mono24 = formatBlock(1, 1, 8000, 24);
    struct Case {
        std::string what, block;
        std::uint32_t declared;
        std::uint64_t present;      // bytes after the data chunk header
        std::uint64_t speechBytes;  // 0: TooLong
    };
    const std::vector<Case> cases = {
        {"copy, the most", kMono16, 0xFFFFFFFF, kMost, kMost},
        {"copy, a byte more", kMono16, 0xFFFFFFFF, kMost + 1, 0},
        {"copy, size 0, 4.7 GB", kMono16, 0, 4'700'000'000, 0},
        {"copy, declared a byte more", kMono16, kMost + 1, kMost + 1, 0},
        {"conversion of 6 GB to the most", mono24, 0, (kMost - 1) / 2 * 3, kMost - 1},
        {"conversion, a frame more", mono24, 0, (kMost + 1) / 2 * 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string head =
            Wave().chunk("fmt ", c.block).chunk("data", c.declared, "").bytes();
        LongSource wave(head, head.size() + c.present);
        const WaveDescription found = describeWave(wave);
        EXPECT_EQ(found.refusal, c.speechBytes ? WaveRefusal::None : WaveRefusal::TooLong);
        EXPECT_EQ(found.speechBytes, c.speechBytes);
    }
}

// All a source of samples gives, asked for 1000 bytes at a time into a buffer with room for more.
std::string readAll(SampleSource& source) {
    std::string all, buffer(1100, '#');
    for (std::size_t got; (got = source.read(buffer.data(), 1000)) > 0;) {
        EXPECT_LE(got, 1000u);
        all.append(buffer, 0, got);
    }
    EXPECT_EQ(buffer.substr(1000), std::string(100, '#')) << "a read beyond what was asked";
    return all;
}

// A slot's voice as the player reads it: by the same rule, then its sound bytes from the open
// file, never more at a time than the player asks for.
TEST(VoiceStream, TheSoundBytesArriveExactlyAndABufferAtATime) {
    GameFolder game;
    game.makeDir("audio\\speech");
    const std::string sound = test::pattern(10001);
    const std::string block = formatBlock(1, 2, 22050, 16);
    const std::string file = speechFile(block, sound);
    const struct {
        const char* what;
        std::string bytes;
        std::optional<std::string> played;
    } cases[] = {
        {"as the import writes it", file, sound},
        {"DATA shorter than the file", file + "tail", sound},
        {"DATA longer than the file", file.substr(0, file.size() - 1), std::nullopt},
        {"no sound", speechFile(block, ""), ""},
        {"the header cut short", file.substr(0, 43), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        game.write(test::speechName(7), c.bytes);
        std::optional<VoiceStream> voice = OpenVoice(systemFileSystem(), game.dir(), 7);
        ASSERT_EQ(voice.has_value(), c.played.has_value());
        if (voice) {
            EXPECT_EQ(voice->format, (PcmFormat{2, 22050, 16}));
            EXPECT_EQ(readAll(*voice->samples), *c.played);
        }
    }
    MemorySamples held(sound);
    EXPECT_EQ(readAll(held), sound);
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

// A copy and a conversion, each of `soundBytes` bytes of sound.
std::vector<std::string> copiedAndConverted(std::size_t soundBytes) {
    return {Wave().chunk("fmt ", kMono16).chunk("data", samples(soundBytes)).bytes(),
            Wave()
                .chunk("fmt ", formatBlock(1, 2, 8000, 24))
                .chunk("data", samples(soundBytes))
                .bytes()};
}

TEST_F(SpeechImport, FailureAtEveryWriteStepKeepsTheEarlierFile) {
    // Large enough for several writes of the copy.
    for (const std::string& wave : copiedAndConverted(200 * 1024)) {
        SCOPED_TRACE(wave.substr(20, 16) == kMono16 ? "copy" : "conversion");
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
    // Either writes more than the 100 KiB there is room for.
    for (const std::string& wave : copiedAndConverted(450 * 1024)) {
        SCOPED_TRACE(wave.substr(20, 16) == kMono16 ? "copy" : "conversion");
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
}
#endif

}  // namespace
}  // namespace quillory
