#include "game/speech_import.h"

#include <algorithm>
#include <vector>

#include "formats/speech.h"
#include "game/game_directory.h"
#include "platform/error.h"

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

// Reads exactly `count` bytes at `offset`, or fails with kReadBeyondEnd.
void readExactAt(ByteSource& in, std::uint64_t offset, void* into, std::size_t count) {
    if (in.readAt(offset, into, count) != count) {
        throw Error(kReadBeyondEnd);
    }
}

void copySamples(ByteSource& in, std::uint64_t offset, File& out, std::uint32_t total,
                 const CopyProgress& progress) {
    std::vector<char> buffer(std::min<std::size_t>(total, kCopyBufferSize));
    for (std::uint32_t done = 0; done < total;) {
        const std::size_t chunk = std::min<std::size_t>(total - done, buffer.size());
        readExactAt(in, offset + done, buffer.data(), chunk);
        out.write(buffer.data(), chunk);
        done += static_cast<std::uint32_t>(chunk);
        progress(done, total);
    }
}

// The whole frames of the samples, a block of about kCopyBufferSize input bytes at a time.
void convertSamples(ByteSource& in, std::uint64_t offset, File& out, const WaveDescription& wave,
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
        readExactAt(in, offset, input.data(), frames * inFrame);
        offset += frames * inFrame;
        converter.convert(input.data(), frames, output.data());
        out.write(output.data(), frames * outFrame);
        framesLeft -= frames;
        done += static_cast<std::uint32_t>(frames * outFrame);
        progress(done, total);
    }
}

}  // namespace

WaveImport::WaveImport(FileSystem& fs, const std::string& wavPath)
    : fs_(fs), file_(fs.openRead(wavPath)), source_(std::make_unique<FileSource>(*file_)) {
    wave_ = describeWave(*source_);
}

WaveImport::WaveImport(FileSystem& fs, std::unique_ptr<ByteSource> wave)
    : fs_(fs), source_(std::move(wave)) {
    wave_ = describeWave(*source_);
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
        if (wave_.encoding == SampleEncoding::Copy) {
            copySamples(*source_, wave_.samplesOffset, out, total, progress);
        } else {
            convertSamples(*source_, wave_.samplesOffset, out, wave_, progress);
        }
    });
    if (file_) {
        file_->close();
    }
}

}  // namespace quillory
