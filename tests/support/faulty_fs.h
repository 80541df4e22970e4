#pragma once

#include <string>

#include "tests/support/forwarding_fs.h"

namespace quillory::test {

// The system's file system, with one failure injected: the n-th write-side step (create,
// write, flush, close of a written file, replace) fails with `code`. Steps are counted from 1
// over the life of the object; `steps()` tells how many there were, so that a test can run an
// operation once to count them and then fail each in turn.
class FaultyFileSystem : public ForwardingFileSystem {
public:
    explicit FaultyFileSystem(int failAtStep = 0, int code = 101)
        : failAt_(failAtStep), code_(code) {}

    int steps() const { return steps_; }
    // Called for each write-side step; throws at the chosen one.
    void step();

    std::unique_ptr<File> create(const std::string& path) override;
    void replace(const std::string& from, const std::string& target) override;

private:
    int failAt_;
    int code_;
    int steps_ = 0;
};

}  // namespace quillory::test
