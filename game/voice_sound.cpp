#include "game/voice_sound.h"

#include <algorithm>
#include <vector>

#include "formats/byte_order.h"
#include "formats/speech.h"
#include "platform/error.h"

namespace quillory {
namespace {

constexpr std::size_t kCopyBufferSize = 512 * 1024;
constexpr std::uint64_t kFormSizeOffset = 4;
constexpr std::uint64_t kDataSizeOffset = kSpeechHeaderSize - 4;

// The sound bytes a speech file of this format holds at most, in whole frames.
std::uint64_t MostBytes(const FormatBlock& format) {
    const unsigned frame = std::max(1u, readFormatBlock(format).blockAlign);
    return kMostSpeechBytes / frame * frame;
}

void WriteSize(File& out, std::uint64_t offset, std::uint64_t size) {
    ByteBuilder bytes(4);
    bytes.bigEndian(size, 4);
    out.seek(offset);
    out.write(bytes.take());
}

}  // namespace

void WriteVoice(const GameDirectory& game, int slot, VoiceSound& voice,
                const CopyProgress& progress) {
    const std::string target = game.SpeechFile(slot);
    game.MakeSpeechFolders();
    const std::uint32_t total = voice.bytes;
    const std::uint64_t most = voice.estimated ? MostBytes(voice.format) : total;
    writeReplacing(game.fs(), target, [&](File& out) {
        out.write(speechFileHeader(voice.format, total));
        progress(0, total);
        std::vector<char> buffer(kCopyBufferSize);
        std::uint64_t done = 0;
        while (done < most) {
            const std::size_t wanted = std::min<std::uint64_t>(most - done, buffer.size());
            const std::size_t got = voice.samples->read(buffer.data(), wanted);
            if (got == 0) {
                if (voice.estimated) {
                    break;
                }
                throw Error(kReadBeyondEnd);
            }
            out.write(buffer.data(), got);
            done += got;
            progress(std::min<std::uint64_t>(done, total), total);
        }
        if (done != total) {
            WriteSize(out, kFormSizeOffset, kSpeechHeaderSize - 8 + done);
            WriteSize(out, kDataSizeOffset, done);
        }
    });
}

}  // namespace quillory
