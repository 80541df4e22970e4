// A slot's voice as the player reads it: its header checked by the speech sample file reader's
// rule, then its sound bytes from the open file, never more at a time than the player asks for.
#include "game/voices.h"

#include <gtest/gtest.h>

#include "tests/support/expected.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

// All the source gives, asked for 1000 bytes at a time into a buffer with room for more.
std::string readAll(SampleSource& source) {
    std::string all, buffer(1100, '#');
    for (std::size_t got; (got = source.read(buffer.data(), 1000)) > 0;) {
        EXPECT_LE(got, 1000u);
        all.append(buffer, 0, got);
    }
    EXPECT_EQ(buffer.substr(1000), std::string(100, '#')) << "a read beyond what was asked";
    return all;
}

TEST(VoiceStream, TheSoundBytesArriveExactlyAndABufferAtATime) {
    test::GameFolder game;
    game.makeDir("audio\\speech");
    const std::string sound = test::pattern(10001);
    const std::string block = test::formatBlock(1, 2, 22050, 16);
    const std::string file = test::speechFile(block, sound);
    const struct {
        const char* what;
        std::string bytes;
        std::optional<std::string> played;
    } cases[] = {
        {"as the import writes it", file, sound},
        {"DATA shorter than the file", file + "tail", sound},
        {"DATA longer than the file", file.substr(0, file.size() - 1), std::nullopt},
        {"no sound", test::speechFile(block, ""), ""},
        {"the header cut short", file.substr(0, 43), std::nullopt},
        {"no speech sample file", "RIFF" + file.substr(4), std::nullopt},
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

}  // namespace
}  // namespace quillory
