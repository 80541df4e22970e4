#pragma once

// The words the user reads: the texts of the program's own boxes, and the sentences that tell
// what an error was.
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "app/toolkit/Ui.h"
#include "app/version.h"
#include "game/player.h"
#include "platform/sound.h"

namespace quillory::messages {

inline constexpr char kApplicationTitle[] = "Quillory";
inline constexpr char kMainWindowCaption[] = "Quillory  v" QUILLORY_VERSION;

inline constexpr char kSaveQuestion[] = "Save changes to the text comm file ?";
inline constexpr char kSaveBeforeRunQuestion[] =
    "Save changes to the text comm file before starting the game ?";
inline constexpr char kRevertQuestion[] = "Load text comm file as it was when last saved ?";
// Asked before any save while the texts shown are not the file's, because it could not be read.
inline constexpr char kUnreadSaveQuestion[] =
    "The text comm file could not be read. Save the texts shown in its place ?";
inline constexpr char kChangedOnDiskQuestion[] =
    "The text comm file was changed by another program since it was loaded. Save the texts "
    "shown over it ?";
inline constexpr char kApplyTypedQuestion[] = "Apply the text you typed to this communication ?";
// Followed by the characters.
inline constexpr char kUnstorable[] = "These characters cannot be stored in the game's texts: ";
inline constexpr char kNotInstalled[] = "Secret Ops is not properly installed on this computer.";
inline constexpr char kNotInstalledCaption[] = "Registry read ERROR";
// Why the program keeps the user's session from ending, on Windows' list of such programs.
inline constexpr char kUnsavedTexts[] = "Unsaved communication texts";
inline constexpr char kRemoveQuestion[] =
    "This will delete the custom text comm file and IFF speech files.  Are you sure ?";

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
// "This WAV file has 24-bit samples. Convert it to 16-bit PCM ?", "... 32-bit float samples ...",
// and for compressed sound "This file holds MP3 sound. Convert it to 16-bit PCM ?".
std::string ConvertQuestion(const ConversionAsked& sound);

// Compressed sound files.
inline constexpr char kNeedsWindows7[] =
    "Reading this kind of file needs Windows 7 or later. Convert it to WAV or MP3 first.";
inline constexpr char kNoMediaComponents[] =
    "Windows' media components are missing on this PC. Install the Media Feature Pack, or "
    "convert the file to WAV first.";
// "Windows on this PC cannot read this kind of file (OGG). Convert it to WAV or MP3 first."
std::string NoDecoder(const std::string& kind);
inline constexpr char kDamaged[] = "This sound file is damaged and cannot be read.";

// The voices.
inline constexpr char kRemoveVoiceQuestion[] = "Remove the custom voice of this communication ?";
inline constexpr char kRestoreVoiceQuestion[] =
    "Replace this communication's voice by the one it had before ?";
inline constexpr char kCannotPlay[] = "This speech file cannot be played.";
inline constexpr char kNoSoundDevice[] = "No sound device is available.";
inline constexpr char kDropOneFile[] = "Drop one WAV file at a time.";

// The recording.
inline constexpr char kNoSlotToRecord[] = "Select the communication to record a voice for.";
inline constexpr char kNoMicrophone[] = "No microphone is available.";
inline constexpr char kMicrophoneFailed[] = "The microphone stopped working. Nothing was kept.";
inline constexpr char kNothingHeard[] = "Nothing was heard. Check the microphone.";
inline constexpr char kVoiceReplaced[] = "This message has a voice: Keep replaces it.";
inline constexpr char kDiscardTake[] = "Discard this recording ?";
inline constexpr char kClipped[] =
    "Too loud: the voice is clipped. Move away from the microphone and record again.";
inline constexpr char kStoppedAtLongest[] = "Stopped at 60 seconds.";
// How long a take lasts, in minutes, seconds and tenths: "0:03.2".
std::string TakeLength(std::uint64_t milliseconds);
// What Keep stores of a take, and how long the whole take is when that is more: "0:03.7 of
// 0:12.4".
std::string KeptLength(std::uint64_t keptMilliseconds, std::uint64_t takeMilliseconds);
// A peak of 0 to 32768 in whole dBFS: "Peak -6 dBFS"; below -60 dBFS, silence.
std::string PeakLevel(int peak);
// Which message the recording box records: "Record voice - 12 of 40".
std::string RecordBoxCaption(int number, int count);

// The game could not be started from its folder.
std::string CannotStart(const std::string& program, const std::string& folder);
// The game folder could not be shown in Explorer.
std::string CannotOpenFolder(const std::string& folder);
// The files that stayed after a removal, one a line.
std::string NotDeleted(const std::vector<std::string>& paths);

// The standard error box's text for an error that ended a handler: what went wrong, with a
// full stop appended when the last character's code is above that of "."; then, after a blank
// line, what the player can do about its cause, where that is known.
std::string ErrorBoxText(const std::exception& error);

// A message box as the player sees it.
struct Box {
    std::string text;
    std::string caption;
    unsigned style = kMbOk;
};
// The game session's questions and notices, in words.
Box ConfirmationBox(Confirmation question, const ConversionAsked& sound);
Box SaveFirstBox(SaveFirst when);
Box ApplyTypedBox();
Box NoticeBox(Notice notice, const std::vector<std::string>& details);

}  // namespace quillory::messages

// The captions of the forms' controls and menus.
namespace quillory::captions {

// The main window.
inline constexpr char kCommType[] = "Comm type :";
inline constexpr char kReplace[] = "Replace :";
inline constexpr char kWith[] = "With :";
inline constexpr char kRunSecretOps[] = "Run Secret Ops";
inline constexpr char kSaveText[] = "Save Text";
inline constexpr char kChange[] = "Change";
inline constexpr char kRevertText[] = "Revert Text";
inline constexpr char kAttachWav[] = "Attach WAV";
inline constexpr char kRemoveCustom[] = "Remove custom communications";
inline constexpr char kOpenDialogTitle[] = "Select a WAV file...";
inline constexpr char kOpenDialogFilter[] =
    "Sound files|*.wav;*.mp3;*.m4a;*.aac;*.wma;*.flac;*.ogg;*.opus|WAV files|*.wav|All files|*.*";
// The menus.
inline constexpr char kTextMenu[] = "&Text";
inline constexpr char kUndoChange[] = "&Undo change";
inline constexpr char kRestoreDefault[] = "Restore &default text";
inline constexpr char kSaveTextItem[] = "&Save Text";
inline constexpr char kVoiceMenu[] = "&Voice";
inline constexpr char kPlayItem[] = "&Play";
inline constexpr char kStopItem[] = "&Stop";
inline constexpr char kRemoveVoiceItem[] = "&Remove voice...";
inline constexpr char kRestoreVoiceItem[] = "Restore &previous voice";
inline constexpr char kRecordItem[] = "Re&cord...";
inline constexpr char kAttachWavItem[] = "&Attach WAV...";
inline constexpr char kGameMenu[] = "&Game";
inline constexpr char kRunGameItem[] = "&Run Secret Ops";
inline constexpr char kOpenFolderItem[] = "&Open game folder";
inline constexpr char kRemoveCustomItem[] = "Remove custom &communications...";
inline constexpr char kAboutMenu[] = "About...";
inline constexpr char kAboutItem[] = "About";
// The About box.
inline constexpr char kAboutCaption[] = "About";
inline constexpr char kProductName[] = "Quillory";
inline constexpr char kVersion[] = "Version " QUILLORY_VERSION;
inline constexpr char kAddress[] = "quillory@example.org";
inline constexpr char kSite[] = "http://quillory.example.org/";
inline constexpr char kNextVersion1[] = "I'll try to have the next version to change also";
inline constexpr char kNextVersion2[] = "Prophecy's comms.";
inline constexpr char kOk[] = "OK";
// The recording box.
inline constexpr char kRecordBox[] = "Record voice";
inline constexpr char kMessage[] = "Message :";
inline constexpr char kLevel[] = "Level :";
inline constexpr char kRecord[] = "Record";
inline constexpr char kStop[] = "Stop";
inline constexpr char kPlay[] = "Play";
inline constexpr char kKeep[] = "Keep";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kTrim[] = "Trim silence at both ends";
inline constexpr char kEven[] = "Even out the loudness";
inline constexpr char kKeepNext[] = "Keep && &next";
inline constexpr char kNext[] = "Ne&xt";

}  // namespace quillory::captions
