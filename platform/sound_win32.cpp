#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <algorithm>

#include "platform/sound.h"

namespace quillory {
namespace {

class Win32Sound : public Sound {
public:
    ~Win32Sound() override { Stop(); }

    Outcome Play(std::string image, std::uint64_t milliseconds) override {
        Stop();
        if (waveOutGetNumDevs() == 0) {
            return Outcome::NoDevice;
        }
        // The system plays from this memory until the sound ends or is stopped.
        image_ = std::move(image);
        if (!PlaySoundA(image_.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT)) {
            image_.clear();
            return Outcome::Refused;
        }
        // GetTickCount wraps after 49.7 days: the time elapsed since the start, as an unsigned
        // difference, stays right across the wrap.
        start_ = GetTickCount();
        length_ = static_cast<DWORD>(std::min<std::uint64_t>(milliseconds, MAXDWORD));
        return Outcome::Playing;
    }

    void Stop() override {
        if (!image_.empty()) {
            PlaySoundA(nullptr, nullptr, 0);
            image_.clear();
        }
        length_ = 0;
    }

    bool Playing() override { return !image_.empty() && GetTickCount() - start_ < length_; }

private:
    std::string image_;
    DWORD start_ = 0;
    DWORD length_ = 0;
};

}  // namespace

Sound& systemSound() {
    static Win32Sound sound;
    return sound;
}

}  // namespace quillory
