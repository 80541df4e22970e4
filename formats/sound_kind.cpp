#include "formats/sound_kind.h"

#include <cstring>

#include "formats/mp3.h"

namespace quillory {
namespace {

constexpr unsigned char kAsfHeaderGuid[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                              0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};

}  // namespace

SoundKind soundKind(ByteSource& in, std::uint64_t junkLimit) {
    unsigned char head[16] = {};
    const std::size_t got = in.readAt(0, head, sizeof head);
    if (got >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) {
        return SoundKind::Wave;
    }
    if (got >= 8 && std::memcmp(head + 4, "ftyp", 4) == 0) {
        return SoundKind::Mp4;
    }
    if (got >= 16 && std::memcmp(head, kAsfHeaderGuid, 16) == 0) {
        return SoundKind::Asf;
    }
    if (got >= 4 && std::memcmp(head, "OggS", 4) == 0) {
        return SoundKind::Ogg;
    }
    const std::uint64_t tags = id3v2Size(in, 0);
    unsigned char after[4] = {};
    if (in.readAt(tags, after, 4) == 4 && std::memcmp(after, "fLaC", 4) == 0) {
        return SoundKind::Flac;
    }
    if (tags > 0 || describeMp3(in, junkLimit).found) {
        return SoundKind::Mp3;
    }
    return SoundKind::Unknown;
}

}  // namespace quillory
