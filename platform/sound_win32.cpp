#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <optional>

#include "platform/error.h"
#include "platform/sound.h"
#include "platform/system_library_win32.h"

namespace quillory {
namespace {

// The buffers that go round between the source and the device, each about a quarter of a
// second of sound, and never more than a MiB.
constexpr std::size_t kBuffers = 3;
constexpr DWORD kMaxBufferBytes = 1 << 20;

// winmm.dll's wave output, loaded when the first sound plays rather than at start-up.
struct WaveOut {
    SystemFunction<decltype(waveOutGetNumDevs)> getNumDevs{"winmm.dll", "waveOutGetNumDevs"};
    SystemFunction<decltype(waveOutOpen)> open{"winmm.dll", "waveOutOpen"};
    SystemFunction<decltype(waveOutPrepareHeader)> prepare{"winmm.dll", "waveOutPrepareHeader"};
    SystemFunction<decltype(waveOutWrite)> write{"winmm.dll", "waveOutWrite"};
    SystemFunction<decltype(waveOutReset)> reset{"winmm.dll", "waveOutReset"};
    SystemFunction<decltype(waveOutUnprepareHeader)> unprepare{"winmm.dll",
                                                               "waveOutUnprepareHeader"};
    SystemFunction<decltype(waveOutClose)> close{"winmm.dll", "waveOutClose"};

    // Whether every one of them is there, each then found.
    bool Loaded() {
        return getNumDevs.get() && open.get() && prepare.get() && write.get() && reset.get() &&
               unprepare.get() && close.get();
    }
};

WaveOut& waveOut() {
    static WaveOut functions;
    return functions;
}

// The device's description of the format; nothing for one it has no words for.
std::optional<WAVEFORMATEX> waveFormat(const PcmFormat& format) {
    if (format.bits == 0 || format.bits > 0xFFFF) {
        return std::nullopt;
    }
    const std::uint64_t align = std::uint64_t{format.channels} * ((format.bits + 7) / 8);
    if (align == 0 || align > 0xFFFF || format.rate == 0 || align * format.rate > 0xFFFFFFFF) {
        return std::nullopt;
    }
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = static_cast<WORD>(format.channels);
    wave.nSamplesPerSec = format.rate;
    wave.nAvgBytesPerSec = static_cast<DWORD>(align * format.rate);
    wave.nBlockAlign = static_cast<WORD>(align);
    wave.wBitsPerSample = static_cast<WORD>(format.bits);
    return wave;
}

// What a failed open of the device means for the player. A device that is gone answers
// MMSYSERR_ERROR: so does Wine's once its sound server has stopped, although it still counts the
// device. Only a format the device cannot play is refused for the sound itself.
Sound::Outcome OutcomeOfOpen(MMRESULT opened) {
    switch (opened) {
        case MMSYSERR_ERROR:
        case MMSYSERR_BADDEVICEID:
        case MMSYSERR_NODRIVER:
        case MMSYSERR_ALLOCATED:
            return Sound::Outcome::NoDevice;
        default:
            return Sound::Outcome::Refused;
    }
}

// One sound on its way to the device: the device open for its format, and the buffers that a
// thread of its own refills with the next samples each time the device gives one back, until
// the samples end and the device has given back every buffer. Going away stops it.
class Playback {
public:
    explicit Playback(std::unique_ptr<SampleSource> samples) : samples_(std::move(samples)) {}

    ~Playback() {
        if (thread_ != nullptr) {
            InterlockedExchange(&stopping_, 1);
            SetEvent(notices_);
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
        } else {
            Close();
        }
        if (notices_ != nullptr) {
            CloseHandle(notices_);
        }
    }

    Sound::Outcome Open(const WAVEFORMATEX& format) {
        notices_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (notices_ == nullptr) {
            throw Error(static_cast<int>(GetLastError()));
        }
        const MMRESULT opened =
            waveOut().open.get()(&device_, WAVE_MAPPER, &format,
                                 reinterpret_cast<DWORD_PTR>(notices_), 0, CALLBACK_EVENT);
        if (opened != MMSYSERR_NOERROR) {
            device_ = nullptr;
            return OutcomeOfOpen(opened);
        }
        align_ = format.nBlockAlign;
        const DWORD quarter = format.nAvgBytesPerSec / 4 / align_ * align_;
        bufferBytes_ = std::clamp<DWORD>(quarter, align_, kMaxBufferBytes / align_ * align_);
        memory_ = std::make_unique<char[]>(std::size_t{bufferBytes_} * kBuffers);
        for (std::size_t i = 0; i < kBuffers; ++i) {
            headers_[i].lpData = memory_.get() + i * bufferBytes_;
            headers_[i].dwBufferLength = bufferBytes_;
            if (waveOut().prepare.get()(device_, &headers_[i], sizeof(WAVEHDR)) !=
                MMSYSERR_NOERROR) {
                return Sound::Outcome::Refused;
            }
        }
        return Sound::Outcome::Playing;
    }

    // Queues the first buffers, then leaves the rest to the thread.
    void Start() {
        for (std::size_t i = 0; i < kBuffers && Queue(i); ++i) {
        }
        if (!queued_[0]) {
            Close();
            InterlockedExchange(&ended_, 1);
            return;
        }
        thread_ = CreateThread(nullptr, 0, &Playback::Thread, this, 0, nullptr);
        if (thread_ == nullptr) {
            throw Error(static_cast<int>(GetLastError()));
        }
    }

    bool Playing() { return InterlockedCompareExchange(&ended_, 0, 0) == 0; }

private:
    // Fills buffer `i` with the next whole frames and hands it to the device; false once the
    // samples have ended.
    bool Queue(std::size_t i) {
        WAVEHDR& header = headers_[i];
        DWORD filled = 0;
        for (std::size_t got = 1; samples_ != nullptr && filled < bufferBytes_ && got > 0;) {
            got = samples_->read(header.lpData + filled, bufferBytes_ - filled);
            filled += static_cast<DWORD>(got);
        }
        header.dwBufferLength = filled - filled % align_;
        queued_[i] = header.dwBufferLength > 0 &&
                     waveOut().write.get()(device_, &header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
        return queued_[i];
    }

    static DWORD WINAPI Thread(void* playback) {
        static_cast<Playback*>(playback)->Run();
        return 0;
    }

    // Each notice of the device (a buffer done, or Stop) wakes the thread.
    void Run() {
        for (bool more = true; more;) {
            WaitForSingleObject(notices_, INFINITE);
            if (InterlockedCompareExchange(&stopping_, 0, 0) != 0) {
                break;
            }
            more = false;
            for (std::size_t i = 0; i < kBuffers; ++i) {
                if (queued_[i] && (headers_[i].dwFlags & WHDR_DONE) != 0) {
                    try {
                        Queue(i);
                    } catch (...) {
                        // A read that fails ends the sound after what is queued.
                        samples_.reset();
                        queued_[i] = false;
                    }
                }
                more = more || queued_[i];
            }
        }
        Close();
        InterlockedExchange(&ended_, 1);
    }

    void Close() {
        if (device_ != nullptr) {
            waveOut().reset.get()(device_);
            for (WAVEHDR& header : headers_) {
                if ((header.dwFlags & WHDR_PREPARED) != 0) {
                    waveOut().unprepare.get()(device_, &header, sizeof(WAVEHDR));
                }
            }
            waveOut().close.get()(device_);
            device_ = nullptr;
        }
        samples_.reset();
        memory_.reset();
    }

    std::unique_ptr<SampleSource> samples_;
    HANDLE notices_ = nullptr;  // the device's, and the one of Stop
    HWAVEOUT device_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD align_ = 1;
    DWORD bufferBytes_ = 0;
    std::unique_ptr<char[]> memory_;
    std::array<WAVEHDR, kBuffers> headers_{};
    std::array<bool, kBuffers> queued_{};
    LONG stopping_ = 0;
    LONG ended_ = 0;
};

class Win32Sound : public Sound {
public:
    ~Win32Sound() override { Stop(); }

    Outcome Play(const PcmFormat& format, std::unique_ptr<SampleSource> samples) override {
        Stop();
        if (!waveOut().Loaded() || waveOut().getNumDevs.get()() == 0) {
            return Outcome::NoDevice;
        }
        const std::optional<WAVEFORMATEX> wave = waveFormat(format);
        if (!wave) {
            return Outcome::Refused;
        }
        auto playback = std::make_unique<Playback>(std::move(samples));
        const Outcome outcome = playback->Open(*wave);
        if (outcome == Outcome::Playing) {
            playback->Start();
            playback_ = std::move(playback);
        }
        return outcome;
    }

    void Stop() override { playback_.reset(); }

    bool Playing() override { return playback_ != nullptr && playback_->Playing(); }

private:
    std::unique_ptr<Playback> playback_;
};

}  // namespace

Sound& systemSound() {
    static Win32Sound sound;
    return sound;
}

}  // namespace quillory
