#include "platform/error.h"

namespace quillory {

Error::Error(int code) : Error(code, messageForCode(code)) {}

Error::Error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}

Error Error::listIndexOutOfBounds(int index) {
    return Error(kNoCode, "List index out of bounds (" + std::to_string(index) + ")");
}

Error Error::writeRefused() {
    return Error(kAccessDenied,
                 messageForCode(kAccessDenied) +
                     ".\n\nOn this Windows, Quillory writes its files straight into the game "
                     "folder, and your account may not change that folder. Log on as an "
                     "administrator, or give your account the right to change the game folder.");
}

Error Error::invalidDataType(const std::string& valueName) {
    return Error(kNoCode, "Invalid data type for '" + valueName + "'");
}

std::string messageForCode(int code) {
    switch (code) {
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
        default:
            return "I/O error " + std::to_string(code);
    }
}

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

}  // namespace quillory
