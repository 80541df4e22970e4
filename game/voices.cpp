#include "game/voices.h"

#include "formats/speech.h"
#include "game/game_directory.h"
#include "game/removal.h"

namespace quillory {

Voices FindVoices(FileSystem& fs, const std::string& gameDir) {
    const GameDirectory game(fs, gameDir);
    Voices voices;
    const bool speech = game.HasSpeechFolder();
    for (int slot = 0; speech && slot < kSlotCount; ++slot) {
        voices[static_cast<std::size_t>(slot)] = fs.fileExists(game.SpeechFile(slot));
    }
    return voices;
}

std::vector<std::string> DeleteVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    const GameDirectory game(fs, gameDir);
    std::vector<std::string> kept;
    DeleteWrittenFile(fs, game.SpeechFile(slot), kept);
    game.RemoveEmptySpeechFolders();
    return kept;
}

std::optional<VoiceStream> OpenVoice(FileSystem& fs, const std::string& gameDir, int slot) {
    std::unique_ptr<File> file = fs.openRead(GameDirectory(fs, gameDir).SpeechFile(slot));
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
    const FormatFields format = readFormatBlock(header->format);
    return VoiceStream{{format.channels, format.rate, format.bits},
                       std::make_unique<FileSamples>(std::move(file), header->sampleBytes)};
}

}  // namespace quillory
