// A slot's voice as the player reads it: its header checked by the speech sample file reader's
// rule, then its sound bytes from the open file, never more at a time than the player asks for.
#include "game/voices.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/expected.h"
#include "tests/support/forwarding_fs.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

// The system's file system whose files note the largest read asked of them.
class WatchedReads : public test::ForwardingFileSystem {
public:
    std::size_t largest = 0;

    std::unique_ptr<File> openRead(const std::string& path) override {
        return std::make_unique<Watched>(ForwardingFileSystem::openRead(path), largest);
    }

private:
    class Watched : public test::ForwardingFile {
    public:
        Watched(std::unique_ptr<File> real, std::size_t& largest)
            : ForwardingFile(std::move(real)), largest_(largest) {}
        std::size_t read(void* buffer, std::size_t size) override {
            largest_ = std::max(largest_, size);
            return ForwardingFile::read(buffer, size);
        }

    private:
        std::size_t& largest_;
    };
};

// Everything the source gives, read in pieces of `piece` bytes.
std::string readAll(SampleSource& source, std::size_t piece) {
    std::string all, buffer(piece, '\0');
    for (std::size_t got; (got = source.read(buffer.data(), piece)) > 0;) {
        all.append(buffer, 0, got);
    }
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
        WatchedReads fs;
        std::optional<VoiceStream> voice = OpenVoice(fs, game.dir(), 7);
        ASSERT_EQ(voice.has_value(), c.played.has_value());
        if (voice) {
            EXPECT_EQ(voice->format, (PcmFormat{2, 22050, 16}));
            fs.largest = 0;
            EXPECT_EQ(readAll(*voice->samples, 1000), *c.played);
            EXPECT_LE(fs.largest, 1000u);
        }
    }
    MemorySamples held(sound);
    EXPECT_EQ(readAll(held, 999), sound);
}

}  // namespace
}  // namespace quillory
