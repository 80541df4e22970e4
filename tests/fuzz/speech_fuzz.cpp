// Fuzz target: any bytes as a slot's speech sample file that the player asks to hear. Build and
// run with
//   bash tools/fuzz.sh speech [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the reader:
// - what it takes has "FORM", "SAMP", "FRMT" 16, a PCM block and "DATA" with sizes within the
//   input, and its sound bytes are the input's from offset 44 on;
// - its format and sound bytes imported as a WAVE file give the speech sample file of the same
//   sound.
#include <cstdint>
#include <string>

#include "formats/speech.h"
#include "formats/wave.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/support/bytes.h"

using namespace quillory;
using fuzz::check;
using test::readBe32;
using test::readLe;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::optional<SpeechSample> sample = readSpeechFile(input);
    if (!sample) {
        return 0;
    }
    check(size >= 44);
    check(input.compare(0, 4, "FORM") == 0 && readBe32(input, 4) <= size - 8);
    check(input.compare(8, 8, "SAMPFRMT") == 0 && readBe32(input, 16) == 16);
    check(input.compare(36, 4, "DATA") == 0);
    check(readLe(input, 20, 2) == 1);
    check(std::string(reinterpret_cast<const char*>(sample->format.data()), 16) ==
          input.substr(20, 16));
    check(sample->samples == input.substr(44, readBe32(input, 40)));
    const auto n = static_cast<std::uint32_t>(sample->samples.size());

    // The sound imported again gives the speech sample file of the same sound.
    const std::string block(reinterpret_cast<const char*>(sample->format.data()), 16);
    const std::string image = "RIFF" + test::le(36 + n, 4) + "WAVEfmt " + test::le(16, 4) + block +
                              "data" + test::le(n, 4) + std::string(sample->samples);
    MemorySource source(image);
    const WaveDescription wave = describeWave(source);
    check(wave.refusal == WaveRefusal::None && wave.samplesOffset == 44 && wave.sampleBytes == n);
    check(speechFileHeader(wave.format, wave.sampleBytes) ==
          "FORM" + test::be32(36 + n) + input.substr(8, 32) + test::be32(n));
    return 0;
}
