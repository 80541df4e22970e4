// Fuzz target: any bytes as the chosen WAVE file of an import. Build and run with
//   bash tools/fuzz.sh wav [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the import:
// - no input makes it fail: every file it cannot take is refused, with the refusal that a
//   second, plain reading of the chunk list and the format chunk finds;
// - refused, the slot's earlier file is as it was and no temporary file is left;
// - written, the file is "FORM" <36 + n> "SAMP" "FRMT" 16 <a PCM format block> "DATA" <n>
//   <n bytes of sound>, as the plain reading makes it: for a copy the input's block (tag 1)
//   and bytes that stand in the input, for a conversion a 16-bit block and the whole frames
//   turned into 16 bits here once more; the progress rises to n.
#include <algorithm>
#include <cmath>
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

// Samples of `width` bytes turned into 16 bits: integers rounded by adding half a step and
// shifting (no more than 32767); floats scaled from -1..1 by 32767 and rounded by the C
// library.
std::string sixteenBits(const std::string& in, bool floating, std::size_t width) {
    std::string out;
    for (std::size_t i = 0; i + width <= in.size(); i += width) {
        long value;
        if (!floating) {
            const unsigned shift = 8 * (static_cast<unsigned>(width) - 2);
            const std::int64_t whole = test::readLe(in, i, width);
            const std::int64_t v = whole - (whole >> (8 * width - 1) << (8 * width));
            value =
                static_cast<long>(std::min<std::int64_t>((v + (1 << (shift - 1))) >> shift, 32767));
        } else {
            double x;
            if (width == 4) {
                float f;
                std::memcpy(&f, in.data() + i, 4);
                x = f;
            } else {
                std::memcpy(&x, in.data() + i, 8);
            }
            value = std::isnan(x) ? 0 : std::lround(std::max(-1.0, std::min(1.0, x)) * 32767);
        }
        out += test::le(static_cast<std::uint32_t>(value), 2);
    }
    return out;
}

// The import once more, as plainly as possible, on the bytes in memory.
WaveRefusal expected(const std::string& in, std::string& file, bool& converted) {
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
    // What the format chunk holds: its kind of sound (1 PCM, 3 float) and the sizes.
    const std::size_t at = format->contents;
    const unsigned tag = test::readLe(in, at, 2);
    const unsigned channels = test::readLe(in, at + 2, 2);
    const unsigned bits = test::readLe(in, at + 14, 2);
    unsigned kind = tag;
    if (tag == 0xFFFE) {
        kind = 0;
        if (format->size >= 40 && at + 40 <= in.size() && test::readLe(in, at + 16, 2) >= 22) {
            const unsigned valid = test::readLe(in, at + 18, 2);
            if (valid <= bits &&
                in.compare(at + 26, 14, "\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14) == 0) {
                kind = test::readLe(in, at + 24, 2);
            }
        }
    }
    const bool convert =
        (kind == 1 && (bits == 24 || bits == 32)) || (kind == 3 && (bits == 32 || bits == 64));
    const bool copy = kind == 1 && !convert && (tag == 1 || bits == 8 || bits == 16);
    const std::uint64_t rate = test::readLe(in, at + 4, 4);
    if (!copy &&
        !(convert && channels > 0 && channels <= 32767 && rate * channels * 2 <= 0xFFFFFFFFu)) {
        return WaveRefusal::NotPcm;
    }
    const std::optional<Chunk> data = find("data");
    if (!data) {
        return WaveRefusal::NoData;
    }
    std::string block = in.substr(at, 16);
    std::string sound = in.substr(data->contents, data->size);
    block.replace(0, 2, test::le(1, 2));
    converted = convert;
    if (convert) {
        block.replace(
            8, 8, test::le(rate * channels * 2, 4) + test::le(channels * 2, 2) + test::le(16, 2));
        sound = sixteenBits(
            sound.substr(0, sound.size() / (channels * bits / 8) * (channels * bits / 8)),
            kind == 3, bits / 8);
    }
    const auto n = static_cast<std::uint32_t>(sound.size());
    file = "FORM" + test::be32(36 + n) + "SAMPFRMT" + test::be32(16) + block + "DATA" +
           test::be32(n) + sound;
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
    bool converted = false;
    const WaveRefusal refusal = expected(input, expectedFile, converted);
    bool written = false;
    std::vector<std::uint64_t> progress;
    try {
        WaveImport importing(fs, "G:\\in.wav");
        check(importing.wave().refusal == refusal);
        if (refusal == WaveRefusal::None) {
            importing.WriteSpeechFile("G:\\", 7, [&](std::uint64_t done, std::uint64_t total) {
                check(total == expectedFile.size() - 44);
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
    check(out == expectedFile);
    check(out.size() >= 44);
    check(out.compare(0, 4, "FORM") == 0 && readBe32(out, 4) == out.size() - 8);
    check(out.compare(8, 8, "SAMPFRMT") == 0 && readBe32(out, 16) == 16);
    check(out[20] == 1 && out[21] == 0);  // the PCM tag
    check(out.compare(36, 4, "DATA") == 0 && readBe32(out, 40) == out.size() - 44);
    check(input.size() >= 12 && input.compare(8, 4, "WAVE") == 0);
    check(!progress.empty() && progress.back() == out.size() - 44);
    const std::string sound = out.substr(44);
    if (converted) {
        const std::uint32_t align = test::readLe(out, 32, 2);
        check(align == 2 * test::readLe(out, 22, 2) && test::readLe(out, 34, 2) == 16);
        check(sound.size() % align == 0);
    } else {
        check(input.find(out.substr(22, 14)) != std::string::npos);
        check(input.find(sound, 12) != std::string::npos);
    }
    return 0;
}
