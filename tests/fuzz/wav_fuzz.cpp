// Fuzz target: any bytes as the chosen WAVE file of an import. Build and run with
//   bash tools/fuzz.sh wav [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the import:
// - no input makes it fail: every file it cannot take is refused, with the refusal that a
//   second, plain reading of the chunk list finds;
// - refused, the slot's earlier file is as it was and no temporary file is left;
// - written, the file is "FORM" <36 + n> "SAMP" "FRMT" 16 <a PCM format block of the input>
//   "DATA" <n> <n bytes that stand in the input>, as the plain reading makes it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "game/speech_import.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/memory_fs.h"
#include "tests/support/bytes.h"

namespace {

using namespace quillory;

using fuzz::check;
using test::readBe32;

// The import once more, as plainly as possible, on the bytes in memory.
WaveRefusal expected(const std::string& in, std::string& file) {
    if (in.empty()) {
        return WaveRefusal::Empty;
    }
    if (in.size() < 12) {
        return WaveRefusal::TooShort;
    }
    if (in.compare(8, 4, "WAVE") != 0) {
        return WaveRefusal::NotWave;
    }
    struct Chunk {
        std::size_t contents;
        std::uint32_t size;
    };
    const auto find = [&](const char* id) -> std::optional<Chunk> {
        for (std::size_t at = 12; at + 8 <= in.size();) {
            const std::uint32_t size = test::readLe(in, at + 4, 4);
            if (in.compare(at, 4, id) == 0) {
                return Chunk{at + 8, size};
            }
            at += 8 + std::size_t{size} + size % 2;
        }
        return std::nullopt;
    };
    const std::optional<Chunk> format = find("fmt ");
    if (format && format->size < 16) {
        return WaveRefusal::ShortFormat;
    }
    if (!format || format->contents + 16 > in.size()) {
        return WaveRefusal::NoFormat;
    }
    if (test::readLe(in, format->contents, 2) != 1) {
        return WaveRefusal::NotPcm;
    }
    const std::optional<Chunk> data = find("data");
    if (!data) {
        return WaveRefusal::NoData;
    }
    const std::string sound = in.substr(data->contents, data->size);
    const auto n = static_cast<std::uint32_t>(sound.size());
    file = "FORM" + test::be32(36 + n) + "SAMPFRMT" + test::be32(16) +
           in.substr(format->contents, 16) + "DATA" + test::be32(n) + sound;
    return WaveRefusal::None;
}

}  // namespace

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

    std::string expectedFile;
    const WaveRefusal refusal = expected(input, expectedFile);
    bool written = false;
    try {
        WaveImport import(fs, "G:\\in.wav");
        check(import.wave().refusal == refusal);
        if (refusal == WaveRefusal::None) {
            import.WriteSpeechFile("G:\\", 7, [](std::uint64_t, std::uint64_t){});
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
    check(out == expectedFile);
    check(out.size() >= 44);
    check(out.compare(0, 4, "FORM") == 0 && readBe32(out, 4) == out.size() - 8);
    check(out.compare(8, 8, "SAMPFRMT") == 0 && readBe32(out, 16) == 16);
    check(out[20] == 1 && out[21] == 0);  // the PCM tag
    check(input.find(out.substr(20, 16)) != std::string::npos);
    check(out.compare(36, 4, "DATA") == 0 && readBe32(out, 40) == out.size() - 44);
    check(input.size() >= 12 && input.compare(8, 4, "WAVE") == 0);
    const std::string sound = out.substr(44);
    check(input.find(sound, 12) != std::string::npos);
    return 0;
}
