#include "game/speech_import.h"

#include <algorithm>
#include <vector>

#include "formats/speech.h"
#include "game/slots.h"

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

}  // namespace

WaveImport::WaveImport(FileSystem& fs, const std::string& wavPath)
    : fs_(fs), file_(fs.openUserFile(wavPath)) {
    FileSource source(*file_);
    wave_ = describeWave(source);
}

WaveImport::~WaveImport() = default;

void WaveImport::WriteSpeechFile(const std::string& gameDir, int slot,
                                 const CopyProgress& progress) {
    const std::string target = gameDir + speechFilePath(slot);
    if (!fs_.dirExists(gameDir + "audio")) {
        fs_.createDirectory(gameDir + "audio");
    }
    if (!fs_.dirExists(gameDir + "audio\\speech")) {
        fs_.createDirectory(gameDir + "audio\\speech");
    }
    const std::uint32_t total = wave_.speechBytes;
    writeReplacing(fs_, target, [&](File& out) {
        out.write(speechFileHeader(wave_.format, total));
        progress(0, total);
        file_->seek(wave_.samplesOffset);
        std::vector<char> buffer(std::min<std::size_t>(total, kCopyBufferSize));
        for (std::uint32_t done = 0; done < total;) {
            const std::size_t chunk = std::min<std::size_t>(total - done, buffer.size());
            file_->readExact(buffer.data(), chunk);
            out.write(buffer.data(), chunk);
            done += static_cast<std::uint32_t>(chunk);
            progress(done, total);
        }
    });
    file_->close();
}

}  // namespace quillory
