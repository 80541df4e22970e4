// The sound file kinds told from bytes, the MP3 frame finder, and the choice of a decoder.
#include <gtest/gtest.h>

#include "formats/mp3.h"
#include "formats/sound_kind.h"
#include "tests/support/bytes.h"

using namespace quillory;
using test::be32;
using test::le;

namespace {

// MPEG 1 layer III, 128 kbit/s, 44100 Hz, stereo: 417 bytes, 418 padded.
const std::string kCbr("\xFF\xFB\x90\x00", 4);
const std::string kCbrPadded("\xFF\xFB\x92\x00", 4);
// MPEG 2 layer III, 64 kbit/s, 22050 Hz, mono: 208 bytes.
const std::string kMpeg2Mono = std::string("\xFF\xF3\x80\xC0", 4);

std::optional<Mp3FrameHeader> parse(const std::string& header) {
    return parseMp3Header(reinterpret_cast<const unsigned char*>(header.data()));
}
std::string frame(const std::string& header, std::string body = {}) {
    const unsigned size = parse(header)->frameBytes;
    body.resize(size - 4, '\x55');
    return header + body;
}
std::string frames(int count, const std::string& header = kCbr) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += frame(header);
    return out;
}
std::string id3v2(unsigned size, bool footer = false) {
    return std::string("ID3\x04\x00", 5) + char(footer ? 0x10 : 0) + char(size >> 21 & 0x7F) +
           char(size >> 14 & 0x7F) + char(size >> 7 & 0x7F) + char(size & 0x7F) +
           std::string(size + (footer ? 10 : 0), 'x');
}
// An Info frame (MPEG 1 stereo: after 32 bytes of side information) with a frame count and a
// LAME tag of the encoder's delay and padding.
std::string infoFrame(std::uint32_t count, unsigned delay, unsigned padding) {
    std::string lame = "LAME3.100" + std::string(12, '\0') + char(delay >> 4) +
                       char((delay & 15) << 4 | padding >> 8) + char(padding & 0xFF);
    return frame(kCbr, std::string(32, '\0') + "Info" + be32(1) + be32(count) + lame);
}
std::string apeTag(unsigned items) {
    return std::string(items, 'a') + "APETAGEX" + le(2000, 4) + le(items + 32, 4) + le(0, 4) +
           le(0, 4) + std::string(8, '\0');
}

struct KindCase {
    const char* name;
    std::string bytes;
    SoundKind kind;
};

TEST(SoundKindTest, IsToldFromTheBytes) {
    const std::string asf("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
    const KindCase cases[] = {
        {"wave", "RIFF" + le(4, 4) + "WAVE", SoundKind::Wave},
        {"riff of another form", "RIFF" + le(4, 4) + "AVI ", SoundKind::Unknown},
        {"m4a", le(0x20000000, 4) + "ftypM4A ", SoundKind::Mp4},
        {"wma", asf + std::string(14, '\0'), SoundKind::Asf},
        {"flac", "fLaC\0\0\0\x22", SoundKind::Flac},
        {"flac after an id3 tag", id3v2(20) + "fLaC", SoundKind::Flac},
        {"ogg", "OggS\0\x02", SoundKind::Ogg},
        {"mp3 with an id3 tag", id3v2(20) + frames(2), SoundKind::Mp3},
        {"mp3 of bare frames", frames(2), SoundKind::Mp3},
        {"mpeg 2 frames after junk", "junk" + frames(2, kMpeg2Mono), SoundKind::Mp3},
        {"one frame header in text", kCbr + std::string(500, 't'), SoundKind::Unknown},
        {"frames of two streams", frame(kCbr) + frame(kMpeg2Mono), SoundKind::Unknown},
        {"empty", "", SoundKind::Unknown},
        {"text", "Hello, pilot.", SoundKind::Unknown},
    };
    for (const KindCase& c : cases) {
        MemorySource in(c.bytes);
        EXPECT_EQ(soundKind(in), c.kind) << c.name;
    }
}

TEST(Mp3HeaderTest, SizesAndRatesFollowTheTables) {
    const auto padded = parse(kCbrPadded);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->frameBytes, 418u);
    EXPECT_EQ(padded->samplesPerFrame, 1152u);
    const auto mono = parse(kMpeg2Mono);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->rate, 22050u);
    EXPECT_EQ(mono->channels, 1u);
    EXPECT_EQ(mono->frameBytes, 208u);
    EXPECT_EQ(mono->samplesPerFrame, 576u);
    // Free format, layer I, reserved rate index, reserved version.
    for (const char* bad :
         {"\xFF\xFB\x00\x00", "\xFF\xFF\x90\x00", "\xFF\xFB\x9C\x00", "\xFF\xEB\x90\x00"}) {
        EXPECT_FALSE(parseMp3Header(reinterpret_cast<const unsigned char*>(bad))) << bad;
    }
}

struct LayoutCase {
    const char* name;
    std::string bytes;
    std::uint64_t firstFrame;
    std::uint64_t tailBytes;  // tags after the frames
    int soundFrames;          // the walker gives
    std::uint64_t frameCount;
    bool gapless;
};

TEST(Mp3LayoutTest, FindsTheFramesAmongTagsAndJunk) {
    const std::string id3 = id3v2(300, true);
    const std::string tail = apeTag(40) + "TAG" + std::string(125, 'v');
    const std::string cut = frame(kCbr).substr(0, 200);
    const LayoutCase cases[] = {
        {"bare", frames(3), 0, 0, 3, 0, false},
        {"tags both ends", id3 + frames(3) + tail, 320, 40 + 32 + 128, 3, 0, false},
        {"junk before and between", "\xFFjunk" + frames(2) + "\xFF\xFB?" + frames(2), 5, 0, 4, 0,
         false},
        {"padded frames", frame(kCbrPadded) + frame(kCbr) + frame(kCbrPadded), 0, 0, 3, 0, false},
        {"last frame cut short", frames(3) + cut, 0, 0, 3, 0, false},
        {"info frame with lame tag", id3 + infoFrame(3, 576, 1000) + frames(3), 320 + 417, 0, 3, 3,
         true},
        {"vbri frame",
         frame(kCbr, std::string(32, '\0') + "VBRI" + std::string(10, '\0') + be32(2)) + frames(2),
         417, 0, 2, 2, false},
    };
    for (const LayoutCase& c : cases) {
        auto in = std::make_unique<MemorySource>(c.bytes);
        const Mp3Layout layout = describeMp3(*in);
        ASSERT_TRUE(layout.found) << c.name;
        EXPECT_EQ(layout.firstFrame, c.firstFrame) << c.name;
        EXPECT_EQ(layout.end, c.bytes.size() - c.tailBytes) << c.name;
        EXPECT_EQ(layout.frameCount, c.frameCount) << c.name;
        EXPECT_EQ(layout.gapless, c.gapless) << c.name;
        Mp3Frames walker(std::move(in), layout);
        int count = 0;
        for (std::string f; walker.next(f); ++count) {
            EXPECT_TRUE(f.size() == 417 || f.size() == 418) << c.name;
            EXPECT_EQ(f.compare(0, 2, "\xFF\xFB"), 0) << c.name;
            EXPECT_EQ(f.back(), '\x55') << c.name;
        }
        EXPECT_EQ(count, c.soundFrames) << c.name;
    }
}

TEST(Mp3LayoutTest, TheLameTagGivesTheSoundLength) {
    const std::string bytes = infoFrame(78, 576, 1080) + frames(78);
    MemorySource in(bytes);
    const Mp3Layout layout = describeMp3(in);
    EXPECT_EQ(layout.encoderDelay, 576u);
    EXPECT_EQ(layout.encoderPadding, 1080u);
    const Mp3Stream stream = mp3Stream(std::make_unique<MemorySource>(""), layout);
    // 78 frames of 1152 samples less the delay and padding: 2 s at 44100 Hz.
    EXPECT_EQ(mp3SoundSamples(stream), 88200u);
}

TEST(DecodePlanTest, RoutesAndRefusalsBySystem) {
    using R = DecodeRoute;
    using T = DecodeTrouble;
    const DecoderSystem xp{false, false, true}, seven{true, true, true}, sevenN{true, false, true};
    const DecoderSystem bare{true, true, false};
    const struct {
        SoundKind kind;
        DecoderSystem system;
        std::vector<R> routes;
        T trouble;
    } cases[] = {
        {SoundKind::Mp3, xp, {R::CompressionManager}, T::NoDecoder},
        {SoundKind::Mp3, seven, {R::CompressionManager, R::MediaFoundation}, T::NoDecoder},
        {SoundKind::Mp3, bare, {R::MediaFoundation}, T::NoDecoder},
        {SoundKind::Mp4, xp, {}, T::NeedsWindows7},
        {SoundKind::Flac, xp, {}, T::NeedsWindows7},
        {SoundKind::Asf, xp, {}, T::NoDecoder},
        {SoundKind::Mp4, sevenN, {}, T::NoMediaComponents},
        {SoundKind::Ogg, seven, {R::MediaFoundation}, T::NoDecoder},
        {SoundKind::Unknown, seven, {}, T::NoDecoder},
    };
    for (const auto& c : cases) {
        const DecodePlan plan = planDecoding(c.kind, c.system);
        EXPECT_EQ(plan.routes, c.routes) << soundKindName(c.kind);
        EXPECT_EQ(plan.troubleWithout, c.trouble) << soundKindName(c.kind);
    }
}

}  // namespace
