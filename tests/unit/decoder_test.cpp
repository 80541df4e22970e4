// Compressed sound files made by ffmpeg (tests/data/sound/make-sounds.sh), decoded by the
// system: under Wine in the Windows build, refused natively.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "formats/sound_file.h"

using namespace quillory;

namespace {

constexpr int kRate = 44100;
constexpr int kToneFrames = 2 * kRate;  // 2.000 s of 440 Hz

struct SoundCase {
    const char* file;
    SoundKind kind;
    unsigned channels;
    int slack;  // frames more or less than the tone: 20 ms, or WMA's last frame of 2048
};
const SoundCase kSounds[] = {
    {"cbr.mp3", SoundKind::Mp3, 1, 0},    {"vbr-id3.mp3", SoundKind::Mp3, 2, 0},
    {"tone.m4a", SoundKind::Mp4, 1, 882}, {"tone.flac", SoundKind::Flac, 1, 882},
    {"tone.ogg", SoundKind::Ogg, 1, 882}, {"tone.wma", SoundKind::Asf, 1, 2048},
};

// A file of the build's folder, as the program would be given it.
std::string soundPath(const std::string& file) {
    std::string path = std::string(QUILLORY_SOUNDS) + "/" + file;
#ifdef _WIN32
    path = "Z:" + path;  // the build's Linux path, seen through Wine's drive of the root
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
#endif
    return path;
}

#ifdef _WIN32
// The first channel of all the samples, read in small blocks.
std::vector<double> firstChannel(Decoded& decoded) {
    std::vector<std::int16_t> all;
    std::int16_t block[1000];
    for (std::size_t got; (got = decoded.samples->read(block, sizeof block)) > 0;) {
        EXPECT_EQ(got % 2, 0u);
        all.insert(all.end(), block, block + got / 2);
    }
    std::vector<double> channel;
    for (std::size_t i = 0; i < all.size(); i += decoded.format.channels)
        channel.push_back(all[i]);
    return channel;
}

// How far the sound lags behind the tone's own samples, in samples (-50..50, within a period).
int lagBehindTone(const std::vector<double>& sound) {
    int best = 0;
    double bestSum = -1e300;
    for (int lag = -50; lag <= 50; ++lag) {
        double sum = 0;
        for (int i = 1000; i < kToneFrames - 1000; ++i) {
            sum += sound[i + lag] * std::sin(2 * std::numbers::pi * 440 * i / kRate);
        }
        if (sum > bestSum)
            bestSum = sum, best = lag;
    }
    return best;
}

TEST(SystemDecoderTest, DecodesEachKindToTheTone) {
    for (const SoundCase& c : kSounds) {
        SoundOpening opening = openSound(systemFileSystem(), soundPath(c.file));
        EXPECT_EQ(opening.kind, c.kind) << c.file;
        ASSERT_EQ(opening.decoded.trouble, DecodeTrouble::None) << c.file;
        Decoded& decoded = opening.decoded.decoded;
        EXPECT_EQ(decoded.format, (PcmFormat{c.channels, kRate, 16})) << c.file;
        const std::vector<double> sound = firstChannel(decoded);
        if (c.kind == SoundKind::Mp3) {
            // The encoder's and the decoder's delay and the padding cut off exactly.
            EXPECT_EQ(sound.size(), std::size_t{kToneFrames}) << c.file;
            EXPECT_EQ(decoded.expectedBytes, sound.size() * 2 * c.channels) << c.file;
            EXPECT_NEAR(lagBehindTone(sound), 0, 2) << c.file;
        } else {
            EXPECT_NEAR(double(sound.size()), kToneFrames, c.slack) << c.file;
            EXPECT_NEAR(double(decoded.expectedBytes), sound.size() * 2.0 * c.channels,
                        kRate / 50 * 2 * c.channels)
                << c.file;
        }
        // A tone, not silence: 880 sign changes in a second (past a decoder's lead-in), loud.
        int changes = 0;
        double energy = 0;
        for (int i = 4096; i < 4096 + kRate && i < int(sound.size()); ++i) {
            changes += (sound[i - 1] < 0) != (sound[i] < 0);
            energy += sound[i] * sound[i];
        }
        EXPECT_NEAR(changes, 880, 4) << c.file;
        EXPECT_GT(std::sqrt(energy / kRate), 1000) << c.file;
    }
}

// Run on their own, with a DLL of the system disabled (tests/CMakeLists.txt).
TEST(DecoderRefusalTest, WithoutMediaFoundation) {
    EXPECT_EQ(openSound(systemFileSystem(), soundPath("tone.m4a")).decoded.trouble,
              DecodeTrouble::NoMediaComponents);
    // MP3 still decodes through the compression manager.
    EXPECT_EQ(openSound(systemFileSystem(), soundPath("cbr.mp3")).decoded.trouble,
              DecodeTrouble::None);
}

TEST(DecoderRefusalTest, WithoutTheMp3Codec) {
    // Media Foundation takes over, with the sound's length near.
    SoundOpening opening = openSound(systemFileSystem(), soundPath("vbr-id3.mp3"));
    ASSERT_EQ(opening.decoded.trouble, DecodeTrouble::None);
    EXPECT_NEAR(double(firstChannel(opening.decoded.decoded).size()), kToneFrames, kRate / 20);
}
#else
TEST(SystemDecoderTest, NoneOutsideWindows) {
    for (const SoundCase& c : kSounds) {
        const SoundOpening opening = openSound(systemFileSystem(), soundPath(c.file));
        EXPECT_EQ(opening.kind, c.kind) << c.file;
        EXPECT_EQ(opening.decoded.trouble, DecodeTrouble::NoDecoder) << c.file;
    }
}
#endif

// (An M4A of its first box and junk is refused as damaged too under Wine, but Wine's reader
// sometimes never returns from opening one: not a test to run every time.)
TEST(SystemDecoderTest, AnMp3WithoutFramesIsDamaged) {
    FileSystem& fs = systemFileSystem();
    fs.create(soundPath("no-frames.mp3"))
        ->write(std::string("ID3\x03\0\0\0\0\0\x10", 10) + std::string(300, '\xFF'));
    EXPECT_EQ(openSound(fs, soundPath("no-frames.mp3")).decoded.trouble, DecodeTrouble::Damaged);
}

}  // namespace
