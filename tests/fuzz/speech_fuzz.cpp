// Fuzz target: any bytes as a slot's speech sample file that the player asks to hear. Build and
// run with
//   bash tools/fuzz.sh speech [seconds]
// Besides the sanitizers' findings it stops on a broken promise of the reader:
// - what it takes has "FORM", "SAMP", "FRMT" 16, a PCM block and "DATA" with sizes within the
//   input, and its sound bytes are the input's from offset 44 on;
// - the WAVE image made of it holds that format block and those bytes, with its RIFF and data
//   sizes right, and reads back as what the import would write of it.
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

    const std::string image = waveImage(*sample);
    const std::size_t n = sample->samples.size();
    check(image.size() == 44 + n + n % 2);
    check(image.compare(0, 4, "RIFF") == 0 && readLe(image, 4, 4) == image.size() - 8);
    check(image.compare(8, 8, "WAVEfmt ") == 0 && readLe(image, 16, 4) == 16);
    check(image.compare(20, 16, input, 20, 16) == 0);
    check(image.compare(36, 4, "data") == 0 && readLe(image, 40, 4) == n);
    check(image.compare(44, n, sample->samples) == 0);

    // The image imported again gives the speech sample file of the same sound.
    MemorySource source(image);
    const WaveDescription wave = describeWave(source);
    check(wave.refusal == WaveRefusal::None && wave.samplesOffset == 44 && wave.sampleBytes == n);
    check(speechFileHeader(wave.format, wave.sampleBytes) ==
          "FORM" + test::be32(static_cast<std::uint32_t>(36 + n)) + input.substr(8, 32) +
              test::be32(static_cast<std::uint32_t>(n)));
    (void)playingTimeMs(*sample);
    return 0;
}
