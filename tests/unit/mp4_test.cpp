// The AAC track of an MP4 file: its description and its frames, read from the file's tables.
#include <gtest/gtest.h>

#include "formats/mp4.h"
#include "platform/error.h"
#include "tests/support/bytes.h"

using namespace quillory;
using test::be32;

namespace {

std::string box(const std::string& type, const std::string& body) {
    return be32(static_cast<std::uint32_t>(8 + body.size())) + type + body;
}
std::string full(const std::string& type, const std::string& body, char version = 0) {
    return box(type, std::string(1, version) + std::string(3, '\0') + body);
}
std::string be64(std::uint64_t value) {
    return be32(static_cast<std::uint32_t>(value >> 32)) + be32(static_cast<std::uint32_t>(value));
}

// Five frames of 3, 1, 4, 1 and 5 bytes in three chunks (2, 2, 1 frames), with a gap of junk
// between the chunks, so that each frame's place follows from the tables alone.
const std::string kFrames[] = {"abc", "d", "efgh", "i", "jklmn"};

struct Layout {
    bool movieFirst = false;
    bool wideChunks = false;
    std::string handler = "soun";
    std::string entry = "mp4a";
    char objectType = 0x40;  // MPEG-4 audio
    std::uint32_t sizeCount = 5;
};

std::string mp4(const Layout& layout) {
    const std::string esds =
        full("esds", "\x03\x16" + std::string("\0\x01\0", 3) + "\x04\x11" + layout.objectType +
                         std::string("\x15\0\0\0\0\0\0\0\0\0\0\0", 12) + "\x05\x02\x12\x08");
    const std::string mp4a =
        box(layout.entry, std::string(6, '\0') + std::string("\0\x01", 2) + std::string(8, '\0') +
                              std::string("\0\x02\0\x10", 4) + std::string(4, '\0') +
                              be32(48000u << 16) + esds);
    auto movie = [&](std::uint64_t base) {
        const std::uint64_t chunks[] = {base, base + 4 + 3, base + 7 + 5 + 2};
        std::string offsets;
        for (const std::uint64_t at : chunks) {
            offsets += layout.wideChunks ? be64(at) : be32(static_cast<std::uint32_t>(at));
        }
        const std::string stbl = box(
            "stbl",
            full("stsd", be32(1) + mp4a) +
                full("stsz", be32(0) + be32(layout.sizeCount) + be32(3) + be32(1) + be32(4) +
                                 be32(1) + be32(5)) +
                full("stsc", be32(2) + be32(1) + be32(2) + be32(1) + be32(3) + be32(1) + be32(1)) +
                full(layout.wideChunks ? "co64" : "stco", be32(3) + offsets));
        const std::string mdia =
            box("mdia", full("mdhd", be32(0) + be32(0) + be32(44100) + be32(5 * 1024) + be32(0)) +
                            full("hdlr", be32(0) + layout.handler + std::string(12, '\0')) +
                            box("minf", stbl));
        const std::string edts =
            box("edts", full("elst", be32(1) + be32(50) + be32(1024) + be32(0x10000)));
        return box("moov", full("mvhd", be32(0) + be32(0) + be32(1000) + be32(60)) +
                               box("trak", edts + mdia));
    };
    const std::string ftyp = box("ftyp", "M4A " + be32(0));
    const std::string data =
        "abcd" + std::string(3, '\0') + "efghi" + std::string(2, '\0') + "jklmn";
    if (!layout.movieFirst) {
        return ftyp + box("mdat", data) + movie(ftyp.size() + 8);
    }
    const std::size_t movieSize = movie(0).size();
    return ftyp + movie(ftyp.size() + movieSize + 8) + box("mdat", data);
}

bool read(const std::string& bytes, AacTrack& aac) {
    // The frames keep reading from the bytes: they stay as long as the test.
    static std::vector<std::unique_ptr<std::string>> kept;
    kept.push_back(std::make_unique<std::string>(bytes));
    return readMp4Aac(std::make_unique<MemorySource>(*kept.back()), aac);
}

class AacTrackTest : public ::testing::TestWithParam<Layout> {};

TEST_P(AacTrackTest, DescribesTheTrackAndReadsItsFramesInOrder) {
    AacTrack aac;
    ASSERT_TRUE(read(mp4(GetParam()), aac));
    // Mono at 44100 Hz as the decoder configuration says, not as the sample description.
    EXPECT_EQ(aac.rate, 44100u);
    EXPECT_EQ(aac.channels, 1u);
    EXPECT_EQ(aac.config, "\x12\x08");
    EXPECT_EQ(aac.timescale, 44100u);
    EXPECT_EQ(aac.frameCount, 5u);
    EXPECT_EQ(aac.primingTime, 1024u);
    EXPECT_EQ(aac.soundTime, 50u * 44100 / 1000);  // the edit's 50 ms
    std::string frame;
    for (const std::string& expected : kFrames) {
        ASSERT_TRUE(aac.frames->next(frame));
        EXPECT_EQ(frame, expected);
    }
    EXPECT_FALSE(aac.frames->next(frame));
}

INSTANTIATE_TEST_SUITE_P(Layouts, AacTrackTest,
                         ::testing::Values(Layout{}, Layout{.movieFirst = true},
                                           Layout{.wideChunks = true}));

TEST(AacTrackRefusal, TakesNoTrackThatIsNotAacNorTablesThatDoNotHold) {
    const Layout refused[] = {
        {.handler = "vide"},
        {.entry = "alac"},
        {.objectType = 0x6b},  // MP3 in an MP4
        {.sizeCount = 6},      // more frames than sizes
    };
    for (const Layout& layout : refused) {
        AacTrack aac;
        EXPECT_FALSE(read(mp4(layout), aac)) << layout.handler << layout.entry;
        EXPECT_EQ(aac.frames, nullptr);
    }
    const std::string whole = mp4({});
    AacTrack aac;
    EXPECT_FALSE(read(whole.substr(0, whole.size() - 1), aac));  // the movie box cut short
    EXPECT_FALSE(read(box("ftyp", "M4A ") + box("mdat", "abc"), aac));
}

TEST(AacTrackRefusal, AFrameBeyondTheFileIsDamage) {
    std::string bytes = mp4({.movieFirst = true});
    bytes.resize(bytes.size() - 3);  // the last frame's end
    AacTrack aac;
    ASSERT_TRUE(read(bytes, aac));
    std::string frame;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(aac.frames->next(frame));
    }
    try {
        aac.frames->next(frame);
        ADD_FAILURE() << "read a frame past the file's end";
    } catch (const Error& error) {
        EXPECT_EQ(error.code(), kReadBeyondEnd);
    }
}

}  // namespace
