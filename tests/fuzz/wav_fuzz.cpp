// Fuzz target: any bytes as the chosen WAVE file of an import. Build and run with
//   bash tools/fuzz.sh wav [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the import:
// - no input makes it fail: every file it cannot take is refused;
// - refused, the slot's earlier file is as it was and no temporary file is left;
// - written, the file is a speech sample file that the player takes, whole: its FORM size and
//   DATA size count the bytes after them, and it is never longer than the WAVE file and its
//   44-byte header; for a copy the input's block (tag 1) and bytes that stand in the input,
//   for a conversion a 16-bit block and whole frames; the progress rises to its sound bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/speech.h"
#include "game/speech_import.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/memory_fs.h"
#include "tests/support/bytes.h"

using namespace quillory;
using fuzz::check;
using test::readBe32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string target = "G:\\audio\\speech\\00740007.iff";
    const std::string earlier = "earlier speech sample";

    fuzz::MemoryFileSystem fs;
    fs.files["G:\\in.wav"] = std::make_shared<std::string>(input);
    // Every other input finds the folders and an earlier file already there.
    const bool hadEarlier = size % 2 == 1;
    if (hadEarlier) {
        fs.dirs.insert("G:\\audio");
        fs.dirs.insert("G:\\audio\\speech");
        fs.files[target] = std::make_shared<std::string>(earlier);
    }

    bool written = false;
    WaveDescription wave;
    std::vector<std::uint64_t> progress;
    try {
        WaveImport importing(fs, "G:\\in.wav");
        wave = importing.wave();
        if (wave.refusal == WaveRefusal::None) {
            importing.WriteSpeechFile("G:\\", 7, [&](std::uint64_t done, std::uint64_t total) {
                check(total == wave.speechBytes);
                check(done <= total && (progress.empty() ? done == 0 : done > progress.back()));
                progress.push_back(done);
            });
            written = true;
        }
    } catch (const Error&) {
        check(false);
    }

    check(*fs.files["G:\\in.wav"] == input);
    check(fs.files.count(temporaryPathFor(target)) == 0);
    if (!written) {
        if (hadEarlier) {
            check(*fs.files[target] == earlier);
        } else {
            check(fs.files.count(target) == 0);
        }
        return 0;
    }

    const std::string& out = *fs.files[target];
    const std::optional<SpeechSample> played = readSpeechFile(out);
    check(played && played->samples.size() == out.size() - 44);
    check(out.size() <= input.size() + 44);
    check(out.compare(0, 4, "FORM") == 0 && readBe32(out, 4) == out.size() - 8);
    check(out.compare(8, 8, "SAMPFRMT") == 0 && readBe32(out, 16) == 16);
    check(out[20] == 1 && out[21] == 0);  // the PCM tag
    check(out.compare(36, 4, "DATA") == 0 && readBe32(out, 40) == out.size() - 44);
    check(input.size() >= 12 && input.compare(8, 4, "WAVE") == 0);
    check(!progress.empty() && progress.back() == out.size() - 44);
    const std::string sound = out.substr(44);
    if (wave.encoding != SampleEncoding::Copy) {
        const std::uint32_t align = test::readLe(out, 32, 2);
        check(align == 2 * test::readLe(out, 22, 2) && test::readLe(out, 34, 2) == 16);
        check(sound.size() % align == 0);
    } else {
        check(input.find(out.substr(22, 14)) != std::string::npos);
        check(sound == input.substr(wave.samplesOffset, sound.size()));
    }
    return 0;
}
