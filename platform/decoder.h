#pragma once

// Compressed sound decoded by the decoders Windows ships: MP3 through the audio compression
// manager, the AAC of an M4A through the AAC decoder fed frame by frame (the source reader
// keeps memory for every frame it reads), the other kinds through Media Foundation's source
// reader, as 16-bit PCM read a block at a time. The decoders are looked up when first needed,
// so that the program keeps loading on systems that lack them; elsewhere than on Windows there
// is no decoder at all.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/pcm_format.h"
#include "platform/sample_source.h"

namespace quillory {

// What a sound file holds, as told by its first bytes.
enum class SoundKind { Unknown, Wave, Mp3, Mp4, Asf, Flac, Ogg };

// The kind's name for the player: "MP3", "M4A", "WMA", "FLAC", "OGG" ("WAV", "" for Unknown).
const char* soundKindName(SoundKind kind);

enum class DecodeTrouble {
    None,
    NeedsWindows7,      // the kind has no decoder before Windows 7 (M4A, FLAC)
    NoMediaComponents,  // Windows 7 or later without Media Foundation (an "N" edition)
    NoDecoder,          // nothing on this system decodes the kind
    Damaged,            // a decoder took the kind but not the file's bytes
};

// Decoded sound: 16-bit PCM of the format, about `expectedBytes` bytes of it (for a progress
// bar: the samples may end a little before or after).
struct Decoded {
    PcmFormat format;
    std::uint64_t expectedBytes = 0;
    std::unique_ptr<SampleSource> samples;
};

struct DecodeResult {
    DecodeTrouble trouble = DecodeTrouble::None;
    Decoded decoded;  // samples when trouble is None
};

// The frames of an MPEG audio stream, one at a time, header included.
class CompressedFrames {
public:
    virtual ~CompressedFrames() = default;
    // The next frame into `frame`; false after the last one.
    virtual bool next(std::string& frame) = 0;
};

// An MP3 stream as its first frame and its tags describe it, with its frames.
struct Mp3Stream {
    bool mpeg1 = true;  // else MPEG 2 or 2.5: 576 samples a frame instead of 1152
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned kilobitsPerSecond = 0;  // of the first frame
    unsigned samplesPerFrame = 0;
    std::uint64_t frameCount = 0;  // from the VBR header, or estimated; 0 when unknown
    unsigned encoderDelay = 0;     // samples the encoder put before the sound
    unsigned encoderPadding = 0;   // and after it
    bool gapless = false;          // the delay and padding are known (a LAME tag)
    std::unique_ptr<CompressedFrames> frames;
};

// The AAC track of an MP4 file (M4A), as its movie box describes it, with its frames.
struct AacTrack {
    unsigned rate = 0;              // of the sample description, as the decoder is told it
    unsigned channels = 0;          // likewise
    std::string config;             // the AudioSpecificConfig of its decoder description
    std::uint32_t timescale = 0;    // of the track's times below
    std::uint64_t frameCount = 0;   // AAC frames
    std::uint64_t primingTime = 0;  // before the sound, from the edit list
    std::uint64_t soundTime = 0;    // the sound's length; 0 when unknown
    std::unique_ptr<CompressedFrames> frames;
};

// Samples an MP3 decoder gives before the first one of the encoder's input.
constexpr unsigned kMp3DecoderDelay = 529;

// The sound samples (per channel) an MP3 stream decodes to once the decoder's and the
// encoder's delay and the padding are cut off; 0 when the frame count is unknown.
std::uint64_t mp3SoundSamples(const Mp3Stream& stream);

// What the system offers, for the choice of a decoder.
struct DecoderSystem {
    bool windows7 = false;            // Windows 7 or later
    bool mediaFoundation = false;     // its DLLs load
    bool compressionManager = false;  // msacm32 loads (every Windows)
};

// How a kind is to be decoded on such a system, in the order to try.
enum class DecodeRoute { CompressionManager, MediaFoundation };
struct DecodePlan {
    std::vector<DecodeRoute> routes;
    DecodeTrouble troubleWithout = DecodeTrouble::NoDecoder;  // when no route applies or works
};
DecodePlan planDecoding(SoundKind kind, const DecoderSystem& system);

// This system, as planDecoding needs it.
DecoderSystem thisDecoderSystem();

// Decodes an MP3 stream through the compression manager, or where it has no MP3 codec through
// Media Foundation from the file at `utf8Path`.
DecodeResult decodeMp3(Mp3Stream stream, const std::string& utf8Path);

// Decodes an M4A's AAC track through the AAC decoder, fed its frames by the program, less the
// priming and padding its edit list names; where that decoder cannot, the file at `utf8Path`
// through Media Foundation's source reader, as decodeFile does.
DecodeResult decodeAac(AacTrack track, const std::string& utf8Path);

// Decodes the file at `utf8Path` of a kind other than Wave and Mp3 (Mp3 too, without the
// compression manager) through Media Foundation.
DecodeResult decodeFile(SoundKind kind, const std::string& utf8Path);

}  // namespace quillory
