#include "game/speech_import.h"

#include <algorithm>
#include <vector>

#include "formats/speech.h"
#include "game/game_directory.h"

namespace quillory {
namespace {

constexpr std::size_t kCopyBufferSize = 1024 * 1024;

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

void copySamples(File& in, File& out, std::uint32_t total, const CopyProgress& progress) {
    std::vector<char> buffer(std::min<std::size_t>(total, kCopyBufferSize));
    for (std::uint32_t done = 0; done < total;) {
        const std::size_t chunk = std::min<std::size_t>(total - done, buffer.size());
        in.readExact(buffer.data(), chunk);
        out.write(buffer.data(), chunk);
        done += static_cast<std::uint32_t>(chunk);
        progress(done, total);
    }
}

// The whole frames of the samples, a block of about kCopyBufferSize input bytes at a time.
void convertSamples(File& in, File& out, const WaveDescription& wave,
                    const CopyProgress& progress) {
    const SampleConverter converter(wave);
    const std::size_t inFrame = converter.inputFrameBytes();
    const std::size_t outFrame = converter.outputFrameBytes();
    const std::uint32_t total = wave.speechBytes;
    std::size_t framesLeft = total / outFrame;
    const std::size_t blockFrames =
        std::min(framesLeft, std::max<std::size_t>(1, kCopyBufferSize / inFrame));
    std::vector<unsigned char> input(blockFrames * inFrame);
    std::vector<unsigned char> output(blockFrames * outFrame);
    for (std::uint32_t done = 0; framesLeft > 0;) {
        const std::size_t frames = std::min(framesLeft, blockFrames);
        in.readExact(input.data(), frames * inFrame);
        converter.convert(input.data(), frames, output.data());
        out.write(output.data(), frames * outFrame);
        framesLeft -= frames;
        done += static_cast<std::uint32_t>(frames * outFrame);
        progress(done, total);
    }
}

}  // namespace

WaveImport::WaveImport(FileSystem& fs, const std::string& wavPath)
    : fs_(fs), file_(fs.openUserFile(wavPath)) {
    FileSource source(*file_);
    wave_ = describeWave(source);
}

WaveImport::~WaveImport() = default;

void WaveImport::WriteSpeechFile(const std::string& gameDir, int slot,
                                 const CopyProgress& progress) {
    const GameDirectory game(fs_, gameDir);
    const std::string target = game.SpeechFile(slot);
    game.MakeSpeechFolders();
    const std::uint32_t total = wave_.speechBytes;
    writeReplacing(fs_, target, [&](File& out) {
        out.write(speechFileHeader(wave_.format, total));
        progress(0, total);
        file_->seek(wave_.samplesOffset);
        if (wave_.encoding == SampleEncoding::Copy) {
            copySamples(*file_, out, total, progress);
        } else {
            convertSamples(*file_, out, wave_, progress);
        }
    });
    file_->close();
}

}  // namespace quillory
