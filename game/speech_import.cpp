#include "game/speech_import.h"

#include <algorithm>
#include <vector>

#include "formats/sound_file.h"

namespace quillory {
namespace {

// Whole frames of a converted encoding turned into 16-bit PCM as they are read.
class ConvertedSamples : public SampleSource {
public:
    ConvertedSamples(const WaveDescription& wave, std::unique_ptr<SampleSource> in)
        : converter_(wave), in_(std::move(in)) {}

    std::size_t read(void* buffer, std::size_t size) override {
        const std::size_t frames = size / converter_.outputFrameBytes();
        input_.resize(frames * converter_.inputFrameBytes());
        std::size_t got = 0;
        for (std::size_t step; got < input_.size() &&
                               (step = in_->read(input_.data() + got, input_.size() - got)) > 0;) {
            got += step;
        }
        const std::size_t whole = got / converter_.inputFrameBytes();
        converter_.convert(input_.data(), whole, static_cast<unsigned char*>(buffer));
        return whole * converter_.outputFrameBytes();
    }

private:
    SampleConverter converter_;
    std::unique_ptr<SampleSource> in_;
    std::vector<unsigned char> input_;
};

}  // namespace

WaveImport::WaveImport(FileSystem& fs, const std::string& wavPath)
    : WaveImport(fs, fs.openRead(wavPath)) {}

WaveImport::WaveImport(FileSystem& fs, std::unique_ptr<File> file)
    : fs_(fs), file_(std::move(file)) {
    FileBytes source(*file_);
    wave_ = describeWave(source);
}

WaveImport::~WaveImport() = default;

VoiceSound WaveImport::Voice() {
    file_->seek(wave_.samplesOffset);
    auto samples = std::make_unique<FileSamples>(std::move(file_), wave_.sampleBytes);
    VoiceSound voice{wave_.format, wave_.speechBytes, nullptr};
    if (wave_.encoding == SampleEncoding::Copy) {
        voice.samples = std::move(samples);
    } else {
        voice.samples = std::make_unique<ConvertedSamples>(wave_, std::move(samples));
    }
    return voice;
}

VoiceSound DecodedVoice(Decoded decoded) {
    const PcmFormat& pcm = decoded.format;
    const unsigned frame = pcm.channels * pcm.bits / 8;
    VoiceSound voice{
        makeFormatBlock({kTagPcm, pcm.channels, pcm.rate, pcm.rate * frame, frame, pcm.bits}),
        static_cast<std::uint32_t>(decoded.expectedBytes), std::move(decoded.samples)};
    voice.estimated = true;
    return voice;
}

void WaveImport::WriteSpeechFile(const std::string& gameDir, int slot,
                                 const CopyProgress& progress) {
    VoiceSound voice = Voice();
    WriteVoice(GameDirectory(fs_, gameDir), slot, voice, progress);
}

}  // namespace quillory
