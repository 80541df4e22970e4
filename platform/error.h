#pragma once

#include <stdexcept>
#include <string>

namespace quillory {

// What went wrong. Codes from 1 to 99 are the operating system's own code of the failed call.
enum ErrorCode : int {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kReadBeyondEnd = 100,  // a read got fewer bytes than asked for
    kDiskFull = 101,       // a write stored fewer bytes than asked for
    kInvalidNumeric = 106,
    kListIndexOutOfBounds = -1,  // detail: the index
    kInvalidDataType = -2,       // detail: the name of the registry value
    kNotCommFile = -3,           // a file in the text comm file's place that is not one
};

// Why the system refused, where the player can do something about it: what the box says after
// the error's own words.
enum class Cause {
    Unknown,
    // Access denied to a write that Windows keeps in no virtual store instead (Windows XP, or
    // UAC turned off): the account may not change the game's folder.
    AccountMayNotWrite,
    InUse,          // another program holds the file
    ReadOnlyDisk,   // the medium takes no writes
    PathTooLong,    // longer than the system's paths may be
    InvalidName,    // a name on the path holds characters no name may hold
    NotAFolder,     // a file stands where the path needs a folder
    FolderInPlace,  // a folder stands where the file should be
    OutOfMemory,
};

// The cause that a system error code tells by itself; Unknown for the others.
Cause CauseOfSystemError(int code);

// The one error type of the program: it ends the running handler, and the window code shows it
// in the standard error box, in words of its own.
class Error : public std::runtime_error {
public:
    // The cause is the one the code tells by itself.
    explicit Error(int code, std::string detail = {});
    Error(int code, Cause cause);

    int code() const { return code_; }
    const std::string& detail() const { return detail_; }
    Cause cause() const { return cause_; }

    static Error listIndexOutOfBounds(int index);
    static Error invalidDataType(const std::string& valueName);

private:
    int code_;
    std::string detail_;
    Cause cause_;
};

}  // namespace quillory
