#include "app/messages.h"

#include <cmath>
#include <new>

#include "platform/error.h"

namespace quillory::messages {
namespace {

// "File not found", "I/O error 87", "List index out of bounds (40)", ...
std::string Sentence(const Error& error) {
    switch (error.code()) {
        case kFileNotFound:
            return "File not found";
        case kPathNotFound:
            return "Invalid filename";
        case kTooManyOpenFiles:
            return "Too many open files";
        case kAccessDenied:
            return "File access denied";
        case kReadBeyondEnd:
            return "Read beyond end of file";
        case kDiskFull:
            return "Disk full";
        case kInvalidNumeric:
            return "Invalid numeric input";
        case kListIndexOutOfBounds:
            return "List index out of bounds (" + error.detail() + ")";
        case kNotCommFile:
            return "This is not a text comm file";
        case kInvalidDataType:
            return "Invalid data type for '" + error.detail() + "'";
        default:
            return "I/O error " + std::to_string(error.code());
    }
}

// What the player can do about the cause; null where there are no better words than the first.
const char* Remedy(Cause cause) {
    switch (cause) {
        case Cause::Unknown:
            break;
        case Cause::AccountMayNotWrite:
            return "On this Windows, Quillory writes its files straight into the game folder, and "
                   "your account may not change that folder. Log on as an administrator, or give "
                   "your account the right to change the game folder.";
        case Cause::InUse:
            return "Another program has the file open, perhaps the game itself. Close that "
                   "program, then try again.";
        case Cause::ReadOnlyDisk:
            return "The file is on a disk that cannot be written to. Remove its write protection, "
                   "or install the game on a disk that can be written to.";
        case Cause::PathTooLong:
            return "The file's path is longer than Windows allows. Move the file, or the game, to "
                   "a folder with a shorter path.";
        case Cause::InvalidName:
            return "The file's path holds a name with characters that Windows does not allow. "
                   "Check the game folder that the game's setup recorded, or rename the file.";
        case Cause::NotAFolder:
            return "Part of the file's path is a file, not a folder. Check the game folder that "
                   "the game's setup recorded, or move that file away.";
        case Cause::FolderInPlace:
            return "A folder has the file's name. Rename or move that folder, then try again.";
        case Cause::OutOfMemory:
            return "There is not enough memory for this. Close other programs, or use a smaller "
                   "file.";
    }
    return nullptr;
}

}  // namespace

std::string ConvertQuestion(const ConversionAsked& sound) {
    const std::string what =
        sound.kind != SoundKind::Wave
            ? std::string("This file holds ") + soundKindName(sound.kind) + " sound."
            : "This WAV file has " + std::to_string(sound.bits) +
                  (sound.floatingPoint ? "-bit float" : "-bit") + " samples.";
    return what + " Convert it to 16-bit PCM ?";
}

std::string NoDecoder(const std::string& kind) {
    return "Windows on this PC cannot read this kind of file (" + kind +
           "). Convert it to WAV or MP3 first.";
}

std::string TakeLength(std::uint64_t milliseconds) {
    const std::uint64_t tenths = milliseconds / 100;
    const std::uint64_t seconds = tenths / 10 % 60;
    return std::to_string(tenths / 600) + (seconds < 10 ? ":0" : ":") + std::to_string(seconds) +
           "." + std::to_string(tenths % 10);
}

std::string KeptLength(std::uint64_t keptMilliseconds, std::uint64_t takeMilliseconds) {
    const std::string kept = TakeLength(keptMilliseconds), take = TakeLength(takeMilliseconds);
    return kept == take ? take : kept + " of " + take;
}

std::string PeakLevel(int peak) {
    const double db = peak > 0 ? 20.0 * std::log10(peak / 32768.0) : -100.0;
    if (db < -60.0) {
        return "Peak below -60 dBFS";
    }
    return "Peak " + std::to_string(std::lround(db)) + " dBFS";
}

std::string RecordBoxCaption(int number, int count) {
    return std::string(captions::kRecordBox) + " - " + std::to_string(number) + " of " +
           std::to_string(count);
}

std::string CannotStart(const std::string& program, const std::string& folder) {
    return "Cannot start " + program + " from " + folder;
}

std::string CannotOpenFolder(const std::string& folder) { return "Cannot open " + folder; }

std::string NotDeleted(const std::vector<std::string>& paths) {
    std::string text = "These files could not be deleted:";
    for (const std::string& path : paths) {
        text += "\n" + path;
    }
    return text;
}

std::string ErrorBoxText(const std::exception& error) {
    const auto* ours = dynamic_cast<const Error*>(&error);
    std::string text = ours ? Sentence(*ours) : error.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    const Cause cause = ours                                          ? ours->cause()
                        : dynamic_cast<const std::bad_alloc*>(&error) ? Cause::OutOfMemory
                                                                      : Cause::Unknown;
    if (const char* remedy = Remedy(cause)) {
        text += std::string("\n\n") + remedy;
    }
    return text;
}

Box ConfirmationBox(Confirmation question, const ConversionAsked& sound) {
    constexpr unsigned kAsk = kMbOkCancel | kMbIconQuestion;
    switch (question) {
        case Confirmation::Save:
            return {kSaveQuestion, "", kAsk};
        case Confirmation::OverwriteUnread:
            return {kUnreadSaveQuestion, "", kMbOkCancel | kMbIconWarning | kMbDefButton2};
        case Confirmation::OverwriteChanged:
            return {kChangedOnDiskQuestion, "", kMbOkCancel | kMbIconWarning | kMbDefButton2};
        case Confirmation::Revert:
            return {kRevertQuestion, "", kAsk};
        case Confirmation::RemoveEverything:
            return {kRemoveQuestion, "", kAsk};
        case Confirmation::RemoveVoice:
            return {kRemoveVoiceQuestion, "", kAsk};
        case Confirmation::RestoreVoice:
            return {kRestoreVoiceQuestion, "", kAsk};
        case Confirmation::Convert:
            return {ConvertQuestion(sound), "", kAsk};
    }
    return {};
}

Box SaveFirstBox(SaveFirst when) {
    return {when == SaveFirst::BeforeRunning ? kSaveBeforeRunQuestion : kSaveQuestion, "",
            kMbYesNoCancel | kMbIconQuestion};
}

Box ApplyTypedBox() { return {kApplyTypedQuestion, "", kMbYesNoCancel | kMbIconQuestion}; }

Box NoticeBox(Notice notice, const std::vector<std::string>& details) {
    const auto warning = [](std::string text) {
        return Box{std::move(text), kErrorCaption, kMbOk | kMbIconWarning};
    };
    const std::string detail = details.empty() ? std::string() : details.front();
    switch (notice) {
        case Notice::Done:
            return {kDone, "", kMbOk};
        case Notice::NoSlotSelected:
            return warning(kNoSlotSelected);
        case Notice::NoSlotToRecord:
            return warning(kNoSlotToRecord);
        case Notice::NoMicrophone:
            return warning(kNoMicrophone);
        case Notice::DropOneFile:
            return warning(kDropOneFile);
        case Notice::EmptyFile:
            return warning(kEmptyFile);
        case Notice::NotWave:
            return warning(kNotWave);
        case Notice::NotPcm:
            return {kNotPcm, kErrorCaption, kMbOk | kMbIconStop};
        case Notice::NeedsWindows7:
            return warning(kNeedsWindows7);
        case Notice::NoMediaComponents:
            return warning(kNoMediaComponents);
        case Notice::NoDecoder:
            return warning(NoDecoder(detail));
        case Notice::Damaged:
            return warning(kDamaged);
        case Notice::TooLong:
            return warning(kTooLong);
        case Notice::CannotPlay:
            return warning(kCannotPlay);
        case Notice::NoSoundDevice:
            return warning(kNoSoundDevice);
        case Notice::Unstorable:
            return warning(kUnstorable + detail);
        case Notice::NotDeleted:
            return warning(NotDeleted(details));
        case Notice::CannotStart:
            return {CannotStart(detail, details.size() > 1 ? details[1] : std::string()),
                    kErrorCaption, kMbOk | kMbIconStop};
        case Notice::CannotOpenFolder:
            return {CannotOpenFolder(detail), kErrorCaption, kMbOk | kMbIconStop};
    }
    return {};
}

}  // namespace quillory::messages
