#pragma once

// A voice on its way into a speech sample file: the format block the file will hold and its
// sample bytes, read a block at a time. A WAVE file, a converted one and a recorded take are
// each one of these; one writer turns any of them into the slot's speech sample file.
#include <cstdint>
#include <functional>
#include <memory>

#include "formats/sound_format.h"
#include "game/game_directory.h"
#include "platform/sample_source.h"

namespace quillory {

struct VoiceSound {
    FormatBlock format{};
    // How many sample bytes `samples` gives: the speech file's DATA size. A source that ends
    // before them fails the write with "Read beyond end of file".
    std::uint32_t bytes = 0;
    std::unique_ptr<SampleSource> samples;
    // `bytes` is only an estimate (a decoder's): the samples are read to their end, as far as a
    // speech file holds, and the file's sizes are set after them.
    bool estimated = false;
};

// Told how many of the sound bytes are written so far, and how many there are: once with none
// when the header is written, then after each block.
using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Writes the speech sample file of `slot`, creating "audio" and "audio\speech" when missing,
// through the replacing write: when anything fails, the slot's earlier file is as it was and the
// error goes on to the caller.
void WriteVoice(const GameDirectory& game, int slot, VoiceSound& voice,
                const CopyProgress& progress);

}  // namespace quillory
