#pragma once

#include <windows.h>

#include <string>

namespace quillory::e2e {

// A lock shared by every test process of the Wine prefix (tests run in parallel): held from
// construction to destruction. An owner that died leaves it abandoned, which counts as taken.
class NamedLock {
public:
    explicit NamedLock(const std::string& name)
        : mutex_(CreateMutexA(nullptr, FALSE, name.c_str())) {
        if (mutex_ != nullptr) {
            WaitForSingleObject(mutex_, 60000);
        }
    }
    ~NamedLock() {
        if (mutex_ != nullptr) {
            ReleaseMutex(mutex_);
            CloseHandle(mutex_);
        }
    }
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace quillory::e2e
