#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <array>
#include <vector>

#include "platform/microphone.h"
#include "platform/system_library_win32.h"

namespace quillory {
namespace {

// Buffers of 25 ms: about 40 come back a second, and together they hold 1.6 s of sound, for the
// times when the program collects late.
constexpr std::size_t kBufferCount = 64;
constexpr unsigned kBufferMs = 25;
// A device that gives nothing back for this long while recording has failed.
constexpr DWORD kSilentDeviceMs = 2000;

// winmm.dll's wave input, loaded when the program first asks for a recording device rather than
// at start-up.
struct WaveIn {
    SystemFunction<decltype(waveInGetNumDevs)> getNumDevs{"winmm.dll", "waveInGetNumDevs"};
    SystemFunction<decltype(waveInOpen)> open{"winmm.dll", "waveInOpen"};
    SystemFunction<decltype(waveInPrepareHeader)> prepare{"winmm.dll", "waveInPrepareHeader"};
    SystemFunction<decltype(waveInAddBuffer)> addBuffer{"winmm.dll", "waveInAddBuffer"};
    SystemFunction<decltype(waveInStart)> start{"winmm.dll", "waveInStart"};
    SystemFunction<decltype(waveInReset)> reset{"winmm.dll", "waveInReset"};
    SystemFunction<decltype(waveInUnprepareHeader)> unprepare{"winmm.dll", "waveInUnprepareHeader"};
    SystemFunction<decltype(waveInClose)> close{"winmm.dll", "waveInClose"};

    // Whether every one of them is there, each then found.
    bool Loaded() {
        return getNumDevs.get() && open.get() && prepare.get() && addBuffer.get() && start.get() &&
               reset.get() && unprepare.get() && close.get();
    }
};

WaveIn& waveIn() {
    static WaveIn functions;
    return functions;
}

// How many recording devices the system has: none where winmm.dll cannot be had.
UINT DeviceCount() { return waveIn().Loaded() ? waveIn().getNumDevs.get()() : 0; }

class Win32Microphone : public Microphone {
public:
    ~Win32Microphone() override { Close(); }

    bool Available() override { return DeviceCount() > 0; }

    Outcome Start(const PcmFormat& format) override {
        Close();
        pending_.clear();
        failed_ = false;
        if (DeviceCount() == 0) {
            return Outcome::NoDevice;
        }
        WAVEFORMATEX wave{};
        wave.wFormatTag = WAVE_FORMAT_PCM;
        wave.nChannels = static_cast<WORD>(format.channels);
        wave.nSamplesPerSec = format.rate;
        wave.wBitsPerSample = static_cast<WORD>(format.bits);
        wave.nBlockAlign = static_cast<WORD>(format.channels * format.bits / 8);
        wave.nAvgBytesPerSec = format.rate * wave.nBlockAlign;
        const MMRESULT opened =
            waveIn().open.get()(&device_, WAVE_MAPPER, &wave, 0, 0, CALLBACK_NULL);
        if (opened != MMSYSERR_NOERROR) {
            device_ = nullptr;
            return opened == MMSYSERR_BADDEVICEID || opened == MMSYSERR_NODRIVER ? Outcome::NoDevice
                                                                                 : Outcome::Failed;
        }
        const std::size_t size = std::size_t{wave.nBlockAlign} * format.rate * kBufferMs / 1000;
        for (Buffer& buffer : buffers_) {
            buffer.bytes.assign(size, '\0');
            buffer.header = WAVEHDR{};
            buffer.header.lpData = buffer.bytes.data();
            buffer.header.dwBufferLength = static_cast<DWORD>(size);
            if (waveIn().prepare.get()(device_, &buffer.header, sizeof buffer.header) !=
                    MMSYSERR_NOERROR ||
                waveIn().addBuffer.get()(device_, &buffer.header, sizeof buffer.header) !=
                    MMSYSERR_NOERROR) {
                Close();
                return Outcome::Failed;
            }
        }
        next_ = 0;
        if (waveIn().start.get()(device_) != MMSYSERR_NOERROR) {
            Close();
            return Outcome::Failed;
        }
        lastBack_ = GetTickCount();
        return Outcome::Recording;
    }

    bool Collect(std::string& samples) override {
        if (device_) {
            TakeBack(true);
            if (GetTickCount() - lastBack_ > kSilentDeviceMs) {
                failed_ = true;
            }
            if (failed_) {
                Close();
            }
        }
        samples += pending_;
        pending_.clear();
        return !failed_;
    }

    void Stop() override { Close(); }

private:
    struct Buffer {
        std::vector<char> bytes;
        WAVEHDR header{};
    };

    // The device sets the flag from a thread of its own.
    static bool Done(const WAVEHDR& header) {
        const bool done = (static_cast<const volatile DWORD&>(header.dwFlags) & WHDR_DONE) != 0;
        MemoryBarrier();
        return done;
    }

    // Moves the bytes of the buffers that came back, in the order they were given, to pending_;
    // with `again`, gives each buffer back to the device.
    void TakeBack(bool again) {
        for (std::size_t count = 0; count < buffers_.size() && Done(buffers_[next_].header);
             ++count) {
            WAVEHDR& header = buffers_[next_].header;
            pending_.append(header.lpData, header.dwBytesRecorded);
            header.dwBytesRecorded = 0;
            header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
            lastBack_ = GetTickCount();
            if (again &&
                waveIn().addBuffer.get()(device_, &header, sizeof header) != MMSYSERR_NOERROR) {
                failed_ = true;
                again = false;
            }
            next_ = (next_ + 1) % buffers_.size();
        }
    }

    // Stops the device, keeping what it recorded until now, and closes it.
    void Close() {
        if (!device_) {
            return;
        }
        // Every buffer comes back, the one being filled with what it holds.
        waveIn().reset.get()(device_);
        TakeBack(false);
        for (Buffer& buffer : buffers_) {
            waveIn().unprepare.get()(device_, &buffer.header, sizeof buffer.header);
        }
        waveIn().close.get()(device_);
        device_ = nullptr;
    }

    HWAVEIN device_ = nullptr;
    std::array<Buffer, kBufferCount> buffers_;
    std::size_t next_ = 0;
    std::string pending_;
    DWORD lastBack_ = 0;
    bool failed_ = false;
};

}  // namespace

Microphone& systemMicrophone() {
    static Win32Microphone microphone;
    return microphone;
}

}  // namespace quillory
