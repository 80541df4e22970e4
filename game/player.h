#pragma once

// What the game session asks of the player and tells the player. The session decides when; the
// program's windows decide how it looks and in which words.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "platform/decoder.h"
#include "platform/sound.h"

namespace quillory {

// Questions answered OK or Cancel.
enum class Confirmation {
    Save,              // save the 40 texts
    OverwriteUnread,   // save in place of a file that could not be read
    Revert,            // load the file again, dropping every change
    RemoveEverything,  // delete every file the program wrote
    RemoveVoice,       // delete the selected message's voice
    RestoreVoice,      // put the selected message's earlier voice back
    Convert,           // convert the chosen sound to 16-bit PCM (see ConversionAsked)
    OverwriteChanged,  // save over a text file that another program changed since
};

// Questions answered Yes, No or Cancel: save the changed texts before going on.
enum class SaveFirst { BeforeClosing, BeforeRunning };
enum class Answer { Yes, No, Cancel };

// What the player is told, without a question.
enum class Notice {
    Done,               // a voice was written
    NoSlotSelected,     // a sound without a message to attach it to
    NoSlotToRecord,     // a recording without a message
    NoMicrophone,       // no recording device
    DropOneFile,        // several files dropped at once
    EmptyFile,          // the chosen sound file holds no byte
    NotWave,            // no valid WAVE file
    NotPcm,             // compressed or unknown sound in a WAVE file
    NeedsWindows7,      // a compressed kind that only Windows 7 or later decodes
    NoMediaComponents,  // Windows without its media components (an "N" edition)
    NoDecoder,          // nothing on this system decodes the kind (detail: the kind's name)
    Damaged,            // a compressed file its decoder does not take
    TooLong,            // more sound than a speech file holds
    CannotPlay,         // a speech file the program cannot have written
    NoSoundDevice,      // nothing to play on
    Unstorable,         // characters the game's texts cannot hold (detail: the characters)
    NotDeleted,         // files that stayed after a deletion (detail: their paths)
    CannotStart,        // the game did not start (detail: its folder)
    CannotOpenFolder,   // the game's folder did not open (detail: the folder)
};

// What the player is told when a sound did not start playing; nothing when it plays.
inline std::optional<Notice> PlayNotice(Sound::Outcome outcome) {
    switch (outcome) {
        case Sound::Outcome::Playing:
            return std::nullopt;
        case Sound::Outcome::NoDevice:
            return Notice::NoSoundDevice;
        case Sound::Outcome::Refused:
            break;
    }
    return Notice::CannotPlay;
}

// The sound of a file that would be converted before it becomes a voice: a WAVE file's samples,
// or a compressed kind's.
struct ConversionAsked {
    bool floatingPoint = false;
    unsigned bits = 0;
    SoundKind kind = SoundKind::Wave;
};

class Player {
public:
    virtual ~Player() = default;
    virtual bool Confirm(Confirmation question, const ConversionAsked& sound = {}) = 0;
    virtual Answer AskSaveFirst(SaveFirst when) = 0;
    // Apply the text typed for the selected message before going on?
    virtual Answer AskApplyTyped() = 0;
    virtual void Tell(Notice notice, const std::vector<std::string>& details = {}) = 0;
    // An error that ended a verb the player started some other way (a close, the game's start).
    virtual void ShowError(const std::exception& error) = 0;
    // A chosen file was recognised as a sound file (its form type), whatever comes after.
    virtual void SoundRecognised() = 0;
    // A voice is being written: the program takes no other command until it ends; `done` of
    // `total` sound bytes are written so far. WorkEnds comes also after a failure.
    virtual void WorkBegins() = 0;
    virtual void WorkProgress(std::uint64_t done, std::uint64_t total) = 0;
    virtual void WorkEnds(bool written) = 0;
};

}  // namespace quillory
