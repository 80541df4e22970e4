#pragma once

#include <string>

#include "platform/pcm_format.h"

namespace quillory {

// The system's default recording device. It records into a few buffers of its own while the
// program goes on; the program collects what came in from time to time.
class Microphone {
public:
    enum class Outcome { Recording, NoDevice, Failed };

    virtual ~Microphone() = default;
    // Whether the system has a recording device.
    virtual bool Available() = 0;
    // Starts recording in `format`, dropping what an earlier recording left.
    virtual Outcome Start(const PcmFormat& format) = 0;
    // Appends the sound bytes recorded since the last call to `samples`, in order. False once
    // the device failed while recording, which stopped the recording.
    virtual bool Collect(std::string& samples) = 0;
    // Stops recording; what was recorded until now is left for Collect.
    virtual void Stop() = 0;
};

Microphone& systemMicrophone();

}  // namespace quillory
