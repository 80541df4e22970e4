// Fuzz target: any bytes as the chosen WAVE file of an import. Build and run with
//   bash tools/fuzz.sh wav [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the import:
// - a failure is "Read beyond end of file" only, and the sink heard no completion;
// - refused or failed, the slot's earlier file is as it was and no temporary file is left;
// - written, the file is "FORM" <36 + n> "SAMP" "FRMT" 16 <a PCM format block of the input>
//   "DATA" <n> <n bytes that stand in the input>, and the sink heard 1, 5, completion;
// - the outcome and the file differ from those of a second, plain reading of the chunk list.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "formats/speech.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/memory_fs.h"

namespace {

using namespace quillory;

class Sink : public SpeechImportSink {
public:
    std::vector<std::string> calls;
    void Progress(int position) override { calls.push_back(std::to_string(position)); }
    void Completed() override { calls.push_back("completed"); }
    void Refused(const std::string& text, Severity) override { calls.push_back(text); }
};

using fuzz::bigEndian;
using fuzz::check;

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::string bigEndianBytes(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

enum class Outcome { Written, Refused, Failed };

// The import once more, as plainly as possible, on the bytes in memory.
Outcome expected(const std::string& in, std::string& file) {
    if (in.empty()) {
        return Outcome::Refused;
    }
    if (in.size() < 12) {
        return Outcome::Failed;
    }
    if (in.compare(8, 4, "WAVE") != 0) {
        return Outcome::Refused;
    }
    struct Chunk {
        std::size_t contents;
        std::uint32_t size;
    };
    const auto find = [&](const char* id) -> std::optional<Chunk> {
        for (std::size_t at = 12; at + 8 <= in.size();) {
            const std::uint32_t size = littleEndian(in, at + 4, 4);
            if (in.compare(at, 4, id) == 0) {
                return Chunk{at + 8, size};
            }
            at += 8 + std::size_t{size} + size % 2;
        }
        return std::nullopt;
    };
    const std::optional<Chunk> format = find("fmt ");
    if (!format) {
        return Outcome::Failed;
    }
    if (format->size < 16) {
        return Outcome::Refused;
    }
    if (format->contents + 16 > in.size()) {
        return Outcome::Failed;
    }
    if (littleEndian(in, format->contents, 2) != 1) {
        return Outcome::Refused;
    }
    const std::optional<Chunk> data = find("data");
    if (!data) {
        return Outcome::Failed;
    }
    const std::string sound = in.substr(data->contents, data->size);
    const auto n = static_cast<std::uint32_t>(sound.size());
    file = "FORM" + bigEndianBytes(36 + n) + "SAMPFRMT" + bigEndianBytes(16) +
           in.substr(format->contents, 16) + "DATA" + bigEndianBytes(n) + sound;
    return Outcome::Written;
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

    Sink sink;
    bool written = false;
    bool failed = false;
    try {
        written = ImportSpeech(fs, "G:\\in.wav", "G:\\", 7, sink);
    } catch (const Error& error) {
        check(error.code() == kReadBeyondEnd);
        failed = true;
    }
    std::string expectedFile;
    const Outcome outcome = expected(input, expectedFile);
    check(written == (outcome == Outcome::Written));
    check(failed == (outcome == Outcome::Failed));

    check(*fs.files["G:\\in.wav"] == input);
    check(fs.files.count(temporaryPathFor(target)) == 0);
    if (!written) {
        check(sink.calls.empty() || sink.calls.back() != "completed");
        if (hadEarlier) {
            check(*fs.files[target] == earlier);
        } else {
            check(fs.files.count(target) == 0);
        }
        return 0;
    }

    check(sink.calls == std::vector<std::string>({"1", "5", "completed"}));
    const std::string& out = *fs.files[target];
    check(out == expectedFile);
    check(out.size() >= 44);
    check(out.compare(0, 4, "FORM") == 0 && bigEndian(out, 4) == out.size() - 8);
    check(out.compare(8, 8, "SAMPFRMT") == 0 && bigEndian(out, 16) == 16);
    check(out[20] == 1 && out[21] == 0);  // the PCM tag
    check(input.find(out.substr(20, 16)) != std::string::npos);
    check(out.compare(36, 4, "DATA") == 0 && bigEndian(out, 40) == out.size() - 44);
    check(input.size() >= 12 && input.compare(8, 4, "WAVE") == 0);
    const std::string sound = out.substr(44);
    check(input.find(sound, 12) != std::string::npos);
    return 0;
}
