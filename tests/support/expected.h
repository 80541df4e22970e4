#pragma once

// What the program must show and write, written down here from the game's side (the texts the
// game ships with, the layout of its files) and not taken from the program's code.
#include <cstdint>
#include <string>
#include <vector>

namespace quillory::test {

inline constexpr int kSlots = 40;

// The 40 texts the communication text file is created with, in slot order.
const std::vector<std::string>& defaultTexts();
// The category phrase of a slot.
std::string category(int slot);

// The communication text file for 40 texts: the 88-byte header (the default one unless
// given) with the three big-endian sizes filled in, then each text and a 0 byte.
std::string commFile(const std::vector<std::string>& texts);
std::string commFile(const std::string& header, const std::vector<std::string>& texts);
// The default header, its three size fields zero.
std::string defaultHeader();

// The 16-byte format block of a WAVE file.
std::string formatBlock(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits);

// A RIFF WAVE file, chunk by chunk; its RIFF size is filled in.
class Wave {
public:
    Wave();
    // A chunk with its true size and the pad byte after an odd size.
    Wave& chunk(const std::string& id, const std::string& contents);
    // A chunk that declares `size` and holds `contents` (no pad byte added).
    Wave& chunk(const std::string& id, std::uint32_t size, const std::string& contents);
    std::string bytes() const;

private:
    std::string bytes_;
};

// A RIFF WAVE file with the common 44-byte header.
std::string waveFile(int formatTag, int channels, int rate, int bits, const std::string& samples);

// "audio\\speech\\007400NN.iff": the speech sample file of a slot, below the game's folder.
std::string speechName(int slot);

// The speech sample file for this format block and these sound bytes.
std::string speechFile(const std::string& block, const std::string& sound);

// `count` bytes of a recognisable pattern.
std::string pattern(std::size_t count);

}  // namespace quillory::test
