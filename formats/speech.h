#pragma once

// The game's speech sample file "audio\speech\007400NN.iff", made from a PCM WAVE file:
//   "FORM" <size> "SAMP" "FRMT" 00 00 00 10 <16-byte WAVE format block> "DATA" <size> <samples>
// with big-endian sizes; the format block keeps the WAVE file's little-endian fields.
#include <string>

#include "platform/filesystem.h"

namespace quillory {

inline constexpr char kEmptyFile[] = "Empty file";
inline constexpr char kNotWave[] = "This is not a valid WAVE file";
inline constexpr char kNotPcm[] =
    "This is not an uncompressed WAVE file.  Use microsoft PCM encoding.";
inline constexpr char kNoSlotSelected[] = "Select the communication to attach the WAV file to.";

// What the import tells the window while it runs.
class SpeechImportSink {
public:
    enum class Severity { Warning, Stop };

    virtual ~SpeechImportSink() = default;
    // The form type passed (1), the format block is copied (5).
    virtual void Progress(int position) = 0;
    // The speech sample file is complete.
    virtual void Completed() = 0;
    // A refusal of the chosen file, captioned "Error".
    virtual void Refused(const std::string& text, Severity severity) = 0;
};

// Converts the PCM WAVE file `wavPath` into the speech sample file of `slot` below `gameDir`,
// creating "audio" and "audio\speech" when missing. Returns true when the file was written;
// false when the WAVE file was refused (the sink was told why). A failing file operation
// throws Error; the slot's earlier speech sample file is then as it was.
bool ImportSpeech(FileSystem& fs, const std::string& wavPath, const std::string& gameDir, int slot,
                  SpeechImportSink& sink);

}  // namespace quillory
