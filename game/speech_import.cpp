#include "game/speech_import.h"

#include <algorithm>
#include <vector>

namespace quillory {
namespace {

// An open file as the WAVE reader's source.
class FileSource : public ByteSource {
public:
    explicit FileSource(File& file) : file_(file) {}
    std::uint64_t size() override { return file_.length(); }
    std::size_t readAt(std::uint64_t offset, void* into, std::size_t count) override {
        file_.seek(offset);
        auto* bytes = static_cast<char*>(into);
        std::size_t got = 0;
        for (std::size_t step; got < count && (step = file_.read(bytes + got, count - got)) > 0;) {
            got += step;
        }
        return got;
    }

private:
    File& file_;
};

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
    : fs_(fs), file_(fs.openRead(wavPath)) {
    FileSource source(*file_);
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

void WaveImport::WriteSpeechFile(const std::string& gameDir, int slot,
                                 const CopyProgress& progress) {
    VoiceSound voice = Voice();
    WriteVoice(GameDirectory(fs_, gameDir), slot, voice, progress);
}

}  // namespace quillory
