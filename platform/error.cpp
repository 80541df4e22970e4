#include "platform/error.h"

namespace quillory {

Error::Error(int code, std::string detail)
    : std::runtime_error("error " + std::to_string(code) + (detail.empty() ? "" : ": " + detail)),
      code_(code),
      detail_(std::move(detail)),
      cause_(CauseOfSystemError(code)) {}

Error::Error(int code, Cause cause) : Error(code) { cause_ = cause; }

Cause CauseOfSystemError(int code) {
    // The codes are Windows' own, the same on every system the program runs on.
    switch (code) {
        case 8:   // ERROR_NOT_ENOUGH_MEMORY
        case 14:  // ERROR_OUTOFMEMORY
            return Cause::OutOfMemory;
        case 19:  // ERROR_WRITE_PROTECT
            return Cause::ReadOnlyDisk;
        case 32:  // ERROR_SHARING_VIOLATION
        case 33:  // ERROR_LOCK_VIOLATION
            return Cause::InUse;
        case 123:  // ERROR_INVALID_NAME
            return Cause::InvalidName;
        case 206:  // ERROR_FILENAME_EXCED_RANGE
            return Cause::PathTooLong;
        case 267:  // ERROR_DIRECTORY
            return Cause::NotAFolder;
        default:
            return Cause::Unknown;
    }
}

Error Error::listIndexOutOfBounds(int index) {
    return Error(kListIndexOutOfBounds, std::to_string(index));
}

Error Error::invalidDataType(const std::string& valueName) {
    return Error(kInvalidDataType, valueName);
}

}  // namespace quillory
