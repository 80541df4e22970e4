#include "platform/error.h"

namespace quillory {

Error::Error(int code, std::string detail)
    : std::runtime_error("error " + std::to_string(code) + (detail.empty() ? "" : ": " + detail)),
      code_(code),
      detail_(std::move(detail)) {}

Error Error::listIndexOutOfBounds(int index) {
    return Error(kListIndexOutOfBounds, std::to_string(index));
}

Error Error::invalidDataType(const std::string& valueName) {
    return Error(kInvalidDataType, valueName);
}

}  // namespace quillory
