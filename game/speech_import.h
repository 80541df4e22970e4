#pragma once

// The import of a WAVE file as the game sees it: the slot's speech sample file below the game's
// folder, its two folders, and the replacing write that never leaves a broken file.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "formats/wave.h"
#include "platform/filesystem.h"

namespace quillory {

// Told how many of the sound bytes are written so far, and how many there are: once with none
// when the header is written, then after each block.
using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// A WAVE file chosen for import, by its path in UTF-8, opened for reading only and read far
// enough to know what it holds. A failing file operation throws Error.
class WaveImport {
public:
    WaveImport(FileSystem& fs, const std::string& wavPath);
    // The same for a WAVE file read through `wave`: one held in memory, say.
    WaveImport(FileSystem& fs, std::unique_ptr<ByteSource> wave);
    ~WaveImport();

    const WaveDescription& wave() const { return wave_; }

    // Writes the speech sample file of `slot` below `gameDir` from a wave without refusal,
    // creating "audio" and "audio\speech" when missing. When anything fails, the slot's
    // earlier file is as it was and the error goes on to the caller.
    void WriteSpeechFile(const std::string& gameDir, int slot, const CopyProgress& progress);

private:
    FileSystem& fs_;
    std::unique_ptr<File> file_;  // none for a WAVE file that is not on disk
    std::unique_ptr<ByteSource> source_;
    WaveDescription wave_;
};

}  // namespace quillory
