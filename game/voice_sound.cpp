#include "game/voice_sound.h"

#include <algorithm>
#include <vector>

#include "formats/speech.h"
#include "platform/error.h"

namespace quillory {
namespace {

constexpr std::size_t kCopyBufferSize = 512 * 1024;

}  // namespace

void WriteVoice(const GameDirectory& game, int slot, VoiceSound& voice,
                const CopyProgress& progress) {
    const std::string target = game.SpeechFile(slot);
    game.MakeSpeechFolders();
    const std::uint32_t total = voice.bytes;
    writeReplacing(game.fs(), target, [&](File& out) {
        out.write(speechFileHeader(voice.format, total));
        progress(0, total);
        std::vector<char> buffer(std::min<std::size_t>(total, kCopyBufferSize));
        for (std::uint32_t done = 0; done < total;) {
            const std::size_t wanted = std::min<std::size_t>(total - done, buffer.size());
            const std::size_t got = voice.samples->read(buffer.data(), wanted);
            if (got == 0) {
                throw Error(kReadBeyondEnd);
            }
            out.write(buffer.data(), got);
            done += static_cast<std::uint32_t>(got);
            progress(done, total);
        }
    });
}

}  // namespace quillory
