#pragma once

// The words the user reads in the program's own boxes.
namespace quillory::messages {

inline constexpr char kApplicationTitle[] = "Quillory";

inline constexpr char kSaveQuestion[] = "Save changes to the text comm file ?";
inline constexpr char kRevertQuestion[] = "Load text comm file as it was when last saved ?";
inline constexpr char kNotInstalled[] = "Secret Ops is not properly installed on this computer.";
inline constexpr char kNotInstalledCaption[] = "Registry read ERROR";
inline constexpr char kRemoveQuestion[] =
    "This will delete the custom text comm file and IFF speech files.  Are you sure ?";
inline constexpr char kNotDeleted[] = "These files could not be deleted:";
inline constexpr char kCannotStart[] = "Cannot start ";

// The WAV import.
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kDone[] = "Done !";
inline constexpr char kEmptyFile[] = "Empty file";
inline constexpr char kNotWave[] = "This is not a valid WAVE file";
inline constexpr char kNotPcm[] =
    "This is not an uncompressed WAVE file.  Use microsoft PCM encoding.";
inline constexpr char kTooLong[] =
    "This WAV file is too long: a speech file holds at most 4 GB of sound.";
inline constexpr char kNoSlotSelected[] = "Select the communication to attach the WAV file to.";
// "This WAV file has 24-bit samples. Convert it to 16-bit PCM ?", "... 32-bit float samples ..."
inline constexpr char kConvertQuestionStart[] = "This WAV file has ";
inline constexpr char kConvertQuestionEnd[] = " samples. Convert it to 16-bit PCM ?";

// The voices.
inline constexpr char kRemoveVoiceQuestion[] = "Remove the custom voice of this communication ?";
inline constexpr char kCannotPlay[] = "This speech file cannot be played.";
inline constexpr char kNoSoundDevice[] = "No sound device is available.";
inline constexpr char kDropOneFile[] = "Drop one WAV file at a time.";

}  // namespace quillory::messages
