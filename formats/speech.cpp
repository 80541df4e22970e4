#include "formats/speech.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/slots.h"
#include "formats/byte_order.h"
#include "platform/error.h"

namespace quillory {
namespace {

constexpr std::uint64_t kFirstChunk = 12;  // after "RIFF" <size> "WAVE"
constexpr std::size_t kFormatBlockSize = 16;
constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kCopyBufferSize = 1024 * 1024;

struct Chunk {
    std::uint64_t offset;  // of its contents
    std::uint32_t size;    // as declared
};

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The first chunk of the RIFF list with this id: chunks are walked by their sizes, with the pad
// byte after an odd size, so bytes inside another chunk are never taken for a chunk header.
// Reaching the end of the file without it is a read beyond the end.
Chunk findChunk(File& wav, std::uint64_t length, const char (&id)[5]) {
    std::uint64_t position = kFirstChunk;
    while (position + 8 <= length) {
        unsigned char header[8];
        wav.seek(position);
        wav.readExact(header, sizeof header);
        const std::uint32_t size = littleEndian(header + 4, 4);
        if (std::memcmp(header, id, 4) == 0) {
            return {position + 8, size};
        }
        position += 8 + static_cast<std::uint64_t>(size) + (size & 1);
    }
    throw Error(kReadBeyondEnd);
}

}  // namespace

bool ImportSpeech(FileSystem& fs, const std::string& wavPath, const std::string& gameDir, int slot,
                  SpeechImportSink& sink) {
    using Severity = SpeechImportSink::Severity;
    if (slot < 0 || slot >= kSlotCount) {
        sink.Refused(kNoSlotSelected, Severity::Warning);
        return false;
    }

    const std::unique_ptr<File> wav = fs.openRead(wavPath);
    const std::uint64_t length = wav->length();
    if (length == 0) {
        sink.Refused(kEmptyFile, Severity::Warning);
        sink.Refused(kNotWave, Severity::Warning);
        return false;
    }
    char formType[4];
    wav->seek(8);
    wav->readExact(formType, sizeof formType);
    if (std::memcmp(formType, "WAVE", 4) != 0) {
        sink.Refused(kNotWave, Severity::Warning);
        return false;
    }
    sink.Progress(1);

    const Chunk format = findChunk(*wav, length, "fmt ");
    if (format.size < kFormatBlockSize) {
        sink.Refused(kNotWave, Severity::Warning);
        return false;
    }
    std::array<unsigned char, kHeaderSize> header{};
    unsigned char* block = header.data() + 20;
    wav->seek(format.offset);
    wav->readExact(block, kFormatBlockSize);
    if (littleEndian(block, 2) != 1) {
        sink.Refused(kNotPcm, Severity::Stop);
        return false;
    }

    const Chunk data = findChunk(*wav, length, "data");
    // The samples the file really has, no more than declared and no more than the 32-bit
    // FORM size can count.
    const auto sampleBytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(
        {data.size, length - std::min(length, data.offset), std::uint64_t{0xFFFFFFFF} - 36}));

    std::memcpy(header.data(), "FORM", 4);
    putBigEndian32(header.data() + 4, 36 + sampleBytes);
    std::memcpy(header.data() + 8, "SAMPFRMT", 8);
    putBigEndian32(header.data() + 16, kFormatBlockSize);
    std::memcpy(header.data() + 36, "DATA", 4);
    putBigEndian32(header.data() + 40, sampleBytes);

    if (!fs.dirExists(gameDir + "audio")) {
        fs.createDirectory(gameDir + "audio");
    }
    if (!fs.dirExists(gameDir + "audio\\speech")) {
        fs.createDirectory(gameDir + "audio\\speech");
    }
    writeReplacing(fs, gameDir + speechFilePath(slot), [&](File& out) {
        out.write(header.data(), header.size());
        sink.Progress(5);
        wav->seek(data.offset);
        std::vector<char> buffer(kCopyBufferSize);
        for (std::uint32_t left = sampleBytes; left > 0;) {
            const std::size_t chunk = std::min<std::size_t>(left, buffer.size());
            wav->readExact(buffer.data(), chunk);
            out.write(buffer.data(), chunk);
            left -= static_cast<std::uint32_t>(chunk);
        }
    });
    wav->close();
    sink.Completed();
    return true;
}

}  // namespace quillory
