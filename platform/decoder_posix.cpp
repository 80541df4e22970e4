// No system decoder outside Windows: every compressed kind is refused as having none.
#include "platform/decoder.h"

namespace quillory {

DecoderSystem thisDecoderSystem() { return {}; }

DecodeResult decodeMp3(Mp3Stream, const std::string&) { return {DecodeTrouble::NoDecoder, {}}; }

DecodeResult decodeAac(AacTrack, const std::string&) { return {DecodeTrouble::NoDecoder, {}}; }

DecodeResult decodeFile(SoundKind, const std::string&) { return {DecodeTrouble::NoDecoder, {}}; }

}  // namespace quillory
