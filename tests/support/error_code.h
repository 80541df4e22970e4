#pragma once

#include <functional>

#include "platform/error.h"

namespace quillory::test {

// The code of the Error that `action` throws; 0 when it throws none.
inline int errorCodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.code();
    }
    return 0;
}

}  // namespace quillory::test
