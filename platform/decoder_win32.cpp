#include <windows.h>

#include "platform/aac_decoder_win32.h"
#include "platform/acm_decoder_win32.h"
#include "platform/decoder.h"
#include "platform/mf_decoder_win32.h"
#include "platform/system_library_win32.h"
#include "platform/trimmed_samples.h"

namespace quillory {
namespace {

using GetVersionFunction = LONG WINAPI(OSVERSIONINFOW*);

// Windows 7 (6.1) or later, as the system itself says: RtlGetVersion is not lied to by the
// compatibility settings that GetVersionEx follows.
bool isWindows7OrLater() {
    static SystemFunction<GetVersionFunction> rtlGetVersion("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (auto* get = rtlGetVersion.get(); !get || get(&version) != 0) {
        return false;
    }
    return version.dwMajorVersion > 6 ||
           (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

DecodeResult decodeThroughAcm(Mp3Stream& stream) {
    std::unique_ptr<SampleSource> decoded = openAcmMp3(stream);
    if (!decoded) {
        return {DecodeTrouble::NoDecoder, {}};
    }
    const std::uint64_t frameBytes = 2 * std::uint64_t{stream.channels};
    const std::uint64_t sound = mp3SoundSamples(stream);
    const std::uint64_t lead = kMp3DecoderDelay + (stream.gapless ? stream.encoderDelay : 0);
    Decoded result;
    result.format = {stream.channels, stream.rate, 16};
    result.expectedBytes = sound * frameBytes;
    result.samples = std::make_unique<TrimmedSamples>(
        std::move(decoded), lead * frameBytes,
        stream.gapless ? sound * frameBytes : TrimmedSamples::kAll);
    return {DecodeTrouble::None, std::move(result)};
}

}  // namespace

DecoderSystem thisDecoderSystem() {
    DecoderSystem system;
    system.windows7 = isWindows7OrLater();
    system.mediaFoundation = SystemLibrary("mfplat.dll") && SystemLibrary("mfreadwrite.dll");
    system.compressionManager = SystemLibrary("msacm32.dll") != nullptr;
    return system;
}

DecodeResult decodeMp3(Mp3Stream stream, const std::string& utf8Path) {
    const DecodePlan plan = planDecoding(SoundKind::Mp3, thisDecoderSystem());
    for (const DecodeRoute route : plan.routes) {
        DecodeResult result = route == DecodeRoute::CompressionManager
                                  ? decodeThroughAcm(stream)
                                  : openMediaFoundation(utf8Path);
        if (result.trouble != DecodeTrouble::NoDecoder) {
            return result;
        }
    }
    return {plan.troubleWithout, {}};
}

DecodeResult decodeFile(SoundKind kind, const std::string& utf8Path) {
    const DecodePlan plan = planDecoding(kind, thisDecoderSystem());
    if (plan.routes.empty()) {
        return {plan.troubleWithout, {}};
    }
    return openMediaFoundation(utf8Path);
}

DecodeResult decodeAac(AacTrack track, const std::string& utf8Path) {
    if (!planDecoding(SoundKind::Mp4, thisDecoderSystem()).routes.empty()) {
        DecodeResult direct = openAacTrack(std::move(track));
        if (direct.trouble == DecodeTrouble::None) {
            return direct;
        }
    }
    return decodeFile(SoundKind::Mp4, utf8Path);
}

}  // namespace quillory
