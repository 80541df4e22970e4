#pragma once

#include <stdexcept>
#include <string>

namespace quillory {

// Error codes. Below 100 they are the operating system's own code of the failed call.
enum ErrorCode : int {
    kNoCode = 0,  // errors of the window toolkit and the registry lookup carry their own text
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kReadBeyondEnd = 100,  // a read got fewer bytes than asked for
    kDiskFull = 101,       // a write stored fewer bytes than asked for
    kInvalidNumeric = 106,
};

// The one error type of the program: it ends the running handler and reaches the
// standard error box.
class Error : public std::runtime_error {
public:
    explicit Error(int code);
    Error(int code, const std::string& message);

    int code() const { return code_; }

    static Error listIndexOutOfBounds(int index);
    // A write that the system refused this account where Windows keeps no copy in a virtual
    // store instead (Windows XP, or UAC turned off): "File access denied", and why.
    static Error writeRefused();
    static Error invalidDataType(const std::string& valueName);

private:
    int code_;
};

// "File not found", "I/O error 87", ...
std::string messageForCode(int code);

// The text of the standard error box: the message, with a full stop appended when its last
// character's code is above that of ".".
std::string errorBoxText(const std::string& message);

}  // namespace quillory
