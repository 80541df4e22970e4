#include "platform/decoder.h"

namespace quillory {

const char* soundKindName(SoundKind kind) {
    switch (kind) {
        case SoundKind::Wave:
            return "WAV";
        case SoundKind::Mp3:
            return "MP3";
        case SoundKind::Mp4:
            return "M4A";
        case SoundKind::Asf:
            return "WMA";
        case SoundKind::Flac:
            return "FLAC";
        case SoundKind::Ogg:
            return "OGG";
        case SoundKind::Unknown:
            break;
    }
    return "";
}

std::uint64_t mp3SoundSamples(const Mp3Stream& stream) {
    const std::uint64_t all = stream.frameCount * stream.samplesPerFrame;
    // Without a LAME tag the decoder's delay is all there is to cut; the last frame's padding
    // stays.
    const std::uint64_t cut = stream.gapless
                                  ? std::uint64_t{stream.encoderDelay} + stream.encoderPadding
                                  : kMp3DecoderDelay;
    return all > cut ? all - cut : 0;
}

DecodePlan planDecoding(SoundKind kind, const DecoderSystem& system) {
    DecodePlan plan;
    const bool mf = system.windows7 && system.mediaFoundation;
    switch (kind) {
        case SoundKind::Mp3:
            plan.troubleWithout = system.windows7 && !system.mediaFoundation
                                      ? DecodeTrouble::NoMediaComponents
                                      : DecodeTrouble::NoDecoder;
            if (system.compressionManager) {
                plan.routes.push_back(DecodeRoute::CompressionManager);
            }
            if (mf) {
                plan.routes.push_back(DecodeRoute::MediaFoundation);
            }
            break;
        case SoundKind::Mp4:
        case SoundKind::Flac:
        case SoundKind::Asf:
        case SoundKind::Ogg:
            if (!system.windows7) {
                // Before Windows 7 no decoder of these ships; WMA and Ogg never had one to wait
                // for.
                plan.troubleWithout = kind == SoundKind::Mp4 || kind == SoundKind::Flac
                                          ? DecodeTrouble::NeedsWindows7
                                          : DecodeTrouble::NoDecoder;
            } else if (!system.mediaFoundation) {
                plan.troubleWithout = DecodeTrouble::NoMediaComponents;
            } else {
                plan.routes.push_back(DecodeRoute::MediaFoundation);
            }
            break;
        case SoundKind::Wave:
        case SoundKind::Unknown:
            break;
    }
    return plan;
}

}  // namespace quillory
