#include "game/voices.h"

#include "formats/byte_order.h"
#include "formats/speech.h"
#include "game/removal.h"

namespace quillory {

Voices FindVoices(FileSystem& fs, const std::string& gameDir) {
    Voices voices;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        voices[static_cast<std::size_t>(slot)] = fs.fileExists(gameDir + speechFilePath(slot));
    }
    return voices;
}

std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, gameDir + speechFilePath(slot), kept);
    fs.removeDirectory(gameDir + "audio\\speech");
    fs.removeDirectory(gameDir + "audio");
    return kept;
}

std::optional<VoiceStream> OpenVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    std::unique_ptr<File> file = fs.openRead(gameDir + speechFilePath(slot));
    const std::uint64_t length = file->length();
    if (length < kSpeechHeaderSize) {
        return std::nullopt;
    }
    std::string bytes(kSpeechHeaderSize, '\0');
    file->readExact(bytes.data(), bytes.size());
    const std::optional<SpeechHeader> header = readSpeechHeader(bytes, length);
    if (!header) {
        return std::nullopt;
    }
    const unsigned char* block = header->format.data();
    return VoiceStream{
        {littleEndian(block + 2, 2), littleEndian(block + 4, 4), littleEndian(block + 14, 2)},
        std::make_unique<FileSamples>(std::move(file), header->sampleBytes)};
}

}  // namespace quillory
