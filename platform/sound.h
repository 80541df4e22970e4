#pragma once

#include <cstdint>
#include <string>

namespace quillory {

// The system's sound output, playing one WAVE image at a time while the program goes on.
class Sound {
public:
    enum class Outcome { Playing, NoDevice, Refused };

    virtual ~Sound() = default;
    // Starts playing the RIFF WAVE file `image` (in memory), stopping what played before.
    // `milliseconds` is how long it plays.
    virtual Outcome Play(std::string image, std::uint64_t milliseconds) = 0;
    virtual void Stop() = 0;
    // True while a sound plays.
    virtual bool Playing() = 0;
};

Sound& systemSound();

}  // namespace quillory
