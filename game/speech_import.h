#pragma once

// The import of a WAVE file: the file the player chose, opened for reading only and read far
// enough to know what it holds, and the voice it becomes.
#include <memory>
#include <string>

#include "formats/wave.h"
#include "game/voice_sound.h"
#include "platform/decoder.h"
#include "platform/filesystem.h"

namespace quillory {

class WaveImport {
public:
    // The file by its path in UTF-8, or already open. A failing file operation throws Error.
    WaveImport(FileSystem& fs, const std::string& wavPath);
    WaveImport(FileSystem& fs, std::unique_ptr<File> file);
    ~WaveImport();

    const WaveDescription& wave() const { return wave_; }

    // The sound of a wave without refusal, as the speech sample file holds it: its bytes as
    // they are, or converted to 16 bits a block at a time. Once only: the voice reads the file.
    VoiceSound Voice();

    // Writes the speech sample file of `slot` below `gameDir` from the wave's Voice().
    void WriteSpeechFile(const std::string& gameDir, int slot, const CopyProgress& progress);

private:
    FileSystem& fs_;
    std::unique_ptr<File> file_;
    WaveDescription wave_;
};

// The voice of decoded sound, 16-bit PCM: its length is the decoder's estimate, which the
// write corrects. `decoded` must not promise more than a speech file holds.
VoiceSound DecodedVoice(Decoded decoded);

}  // namespace quillory
