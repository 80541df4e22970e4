// Fuzz target: any bytes as an M4A the player chose. Build and run with
//   bash tools/fuzz.sh mp4 [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the AAC track reader:
// - a track it finds has a rate, channels, a time scale and its frames;
// - its frames come whole, each no larger than an AAC frame can be, no more of them than its
//   tables count, and a read beyond the file is an Error, nothing else.
#include <cstdint>
#include <string>

#include "formats/mp4.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_checks.h"

using namespace quillory;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    AacTrack track;
    try {
        if (!readMp4Aac(std::make_unique<MemorySource>(input), track)) {
            return 0;
        }
    } catch (const Error&) {
        return 0;
    }
    check(track.rate > 0 && track.channels > 0 && track.timescale > 0 && track.frames);
    std::uint64_t count = 0;
    try {
        for (std::string frame; track.frames->next(frame); ++count) {
            check(frame.size() <= 1 << 16);
        }
    } catch (const Error&) {
    }
    check(count <= track.frameCount);
    return 0;
}
