// Fuzz target: any bytes as a sound file the player chose. Build and run with
//   bash tools/fuzz.sh mp3 [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the MP3 frame finder:
// - frames it finds near the start make the file a sound file;
// - the frames it finds lie in order between the tags, each one whole, its size its header's,
//   all of one stream;
// - the sound it counts is no more than the frames hold.
#include <cstdint>
#include <string>

#include "formats/mp3.h"
#include "formats/sound_kind.h"
#include "tests/fuzz/fuzz_checks.h"

using namespace quillory;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    MemorySource sniffed(input);
    const SoundKind kind = soundKind(sniffed);

    auto in = std::make_unique<MemorySource>(input);
    const Mp3Layout layout = describeMp3(*in);
    if (!layout.found) {
        return 0;
    }
    // Frames near the start make an MP3, unless other bytes told another kind first.
    check(kind != SoundKind::Unknown || size > 64 * 1024);
    check(layout.firstFrame < layout.end && layout.end <= size);
    const Mp3Stream stream = mp3Stream(std::make_unique<MemorySource>(input), layout);
    check(mp3SoundSamples(stream) <= stream.frameCount * stream.samplesPerFrame);

    Mp3Frames frames(std::move(in), layout);
    std::uint64_t bytes = 0;
    for (std::string frame; frames.next(frame);) {
        const auto header = parseMp3Header(reinterpret_cast<const unsigned char*>(frame.data()));
        check(header && header->frameBytes == frame.size() && header->sameStream(layout.first));
        bytes += frame.size();
        check(bytes <= layout.end - layout.firstFrame);
    }
    return 0;
}
