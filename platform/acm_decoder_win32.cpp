#include "platform/acm_decoder_win32.h"

#include <windows.h>
// After windows.h:
#include <mmreg.h>
#include <mmsystem.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/system_library_win32.h"

namespace quillory {
namespace {

// The MPEG layer 3 format block as the codec takes it.
#pragma pack(push, 1)
struct Mp3WaveFormat {
    WAVEFORMATEX wfx;
    WORD id;
    DWORD flags;
    WORD blockSize;
    WORD framesPerBlock;
    WORD codecDelay;
};
#pragma pack(pop)

constexpr WORD kMp3Tag = 0x0055;
constexpr WORD kMp3IdMpeg = 1;
constexpr DWORD kMp3PaddingOff = 2;
constexpr std::size_t kInputBytes = 32 * 1024;  // frames are at most 1441 bytes

struct Acm {
    SystemFunction<decltype(acmStreamOpen)> open{"msacm32.dll", "acmStreamOpen"};
    SystemFunction<decltype(acmStreamSize)> size{"msacm32.dll", "acmStreamSize"};
    SystemFunction<decltype(acmStreamPrepareHeader)> prepare{"msacm32.dll",
                                                             "acmStreamPrepareHeader"};
    SystemFunction<decltype(acmStreamConvert)> convert{"msacm32.dll", "acmStreamConvert"};
    SystemFunction<decltype(acmStreamUnprepareHeader)> unprepare{"msacm32.dll",
                                                                 "acmStreamUnprepareHeader"};
    SystemFunction<decltype(acmStreamClose)> close{"msacm32.dll", "acmStreamClose"};

    bool complete() {
        return open.get() && size.get() && prepare.get() && convert.get() && unprepare.get() &&
               close.get();
    }
};

Acm& acm() {
    static Acm functions;
    return functions;
}

class AcmSamples : public SampleSource {
public:
    AcmSamples(HACMSTREAM stream, DWORD outputBytes, std::unique_ptr<CompressedFrames> frames)
        : stream_(stream), input_(kInputBytes), output_(outputBytes), frames_(std::move(frames)) {}

    bool prepare() {
        header_.cbStruct = sizeof header_;
        header_.pbSrc = input_.data();
        header_.cbSrcLength = static_cast<DWORD>(input_.size());
        header_.pbDst = output_.data();
        header_.cbDstLength = static_cast<DWORD>(output_.size());
        prepared_ = acm().prepare.get()(stream_, &header_, 0) == 0;
        return prepared_;
    }

    ~AcmSamples() override {
        if (prepared_) {
            header_.cbSrcLength = static_cast<DWORD>(input_.size());
            header_.cbDstLength = static_cast<DWORD>(output_.size());
            acm().unprepare.get()(stream_, &header_, 0);
        }
        acm().close.get()(stream_, 0);
    }

    std::size_t read(void* buffer, std::size_t size) override {
        while (next_ == ready_ && convertMore()) {
        }
        const std::size_t count = std::min(size, ready_ - next_);
        std::memcpy(buffer, output_.data() + next_, count);
        next_ += count;
        return count;
    }

private:
    // Feeds the codec whole frames (after what it left of the last ones); false at the end.
    bool convertMore() {
        if (ended_) {
            return false;
        }
        bool last = false;
        while (!last && pending_.size() + filled_ <= input_.size()) {
            std::memcpy(input_.data() + filled_, pending_.data(), pending_.size());
            filled_ += pending_.size();
            pending_.clear();
            last = !frames_->next(pending_);
        }
        DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN | (started_ ? 0 : ACM_STREAMCONVERTF_START);
        if (last && pending_.empty()) {
            flags = (flags & ~ACM_STREAMCONVERTF_BLOCKALIGN) | ACM_STREAMCONVERTF_END;
            ended_ = true;
        }
        started_ = true;
        header_.cbSrcLength = static_cast<DWORD>(filled_);
        header_.cbDstLengthUsed = 0;
        header_.cbSrcLengthUsed = 0;
        if (acm().convert.get()(stream_, &header_, flags) != 0) {
            ended_ = true;
            return false;
        }
        const std::size_t used = std::min<std::size_t>(header_.cbSrcLengthUsed, filled_);
        std::memmove(input_.data(), input_.data() + used, filled_ - used);
        filled_ -= used;
        next_ = 0;
        ready_ = header_.cbDstLengthUsed;
        if (used == 0 && ready_ == 0 && !ended_ && pending_.size() + filled_ > input_.size()) {
            ended_ = true;  // the codec takes nothing more of a full buffer: a damaged stream
        }
        return ready_ > 0 || !ended_;
    }

    HACMSTREAM stream_;
    ACMSTREAMHEADER header_{};
    bool prepared_ = false;
    std::vector<BYTE> input_;
    std::size_t filled_ = 0;
    std::string pending_;  // a frame that did not fit in the input any more
    std::vector<BYTE> output_;
    std::size_t next_ = 0;
    std::size_t ready_ = 0;
    bool started_ = false;
    bool ended_ = false;
    std::unique_ptr<CompressedFrames> frames_;
};

}  // namespace

std::unique_ptr<SampleSource> openAcmMp3(Mp3Stream& stream) {
    if (!acm().complete() || stream.channels == 0 || stream.rate == 0) {
        return nullptr;
    }
    Mp3WaveFormat mp3{};
    mp3.wfx.wFormatTag = kMp3Tag;
    mp3.wfx.nChannels = static_cast<WORD>(stream.channels);
    mp3.wfx.nSamplesPerSec = stream.rate;
    mp3.wfx.nAvgBytesPerSec = stream.kilobitsPerSecond * 1000 / 8;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = sizeof mp3 - sizeof mp3.wfx;
    mp3.id = kMp3IdMpeg;
    mp3.flags = kMp3PaddingOff;
    mp3.blockSize =
        static_cast<WORD>((stream.mpeg1 ? 144000 : 72000) * stream.kilobitsPerSecond / stream.rate);
    mp3.framesPerBlock = 1;
    mp3.codecDelay = 1393;

    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = mp3.wfx.nChannels;
    pcm.nSamplesPerSec = stream.rate;
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = static_cast<WORD>(2 * stream.channels);
    pcm.nAvgBytesPerSec = pcm.nBlockAlign * stream.rate;

    HACMSTREAM handle = nullptr;
    if (acm().open.get()(&handle, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0,
                         ACM_STREAMOPENF_NONREALTIME) != 0) {
        return nullptr;
    }
    DWORD outputBytes = 0;
    if (acm().size.get()(handle, kInputBytes, &outputBytes, ACM_STREAMSIZEF_SOURCE) != 0 ||
        outputBytes == 0) {
        acm().close.get()(handle, 0);
        return nullptr;
    }
    // Room for what the codec keeps from one call to the next, too.
    auto samples = std::make_unique<AcmSamples>(handle, outputBytes + 4 * 1152 * pcm.nBlockAlign,
                                                std::move(stream.frames));
    if (!samples->prepare()) {
        return nullptr;
    }
    return samples;
}

}  // namespace quillory
