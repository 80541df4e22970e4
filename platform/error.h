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
    // Access denied to a write that Windows keeps in no virtual store instead (Windows XP, or
    // UAC turned off): the account may not change the game's folder.
    kWriteRefused = -3,
};

// The one error type of the program: it ends the running handler, and the window code shows it
// in the standard error box, in words of its own.
class Error : public std::runtime_error {
public:
    explicit Error(int code, std::string detail = {});

    int code() const { return code_; }
    const std::string& detail() const { return detail_; }

    static Error listIndexOutOfBounds(int index);
    static Error invalidDataType(const std::string& valueName);

private:
    int code_;
    std::string detail_;
};

}  // namespace quillory
