#include "tests/support/faulty_fs.h"

#include "platform/error.h"

namespace quillory::test {
namespace {

class FaultyFile : public ForwardingFile {
public:
    FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& fs)
        : ForwardingFile(std::move(real)), fs_(fs) {}

    void write(const void* buffer, std::size_t size) override {
        fs_.step();
        ForwardingFile::write(buffer, size);
    }
    void flush() override {
        fs_.step();
        ForwardingFile::flush();
    }
    void close() override {
        if (!closed_) {
            closed_ = true;
            fs_.step();
        }
        ForwardingFile::close();
    }

private:
    FaultyFileSystem& fs_;
    bool closed_ = false;
};

}  // namespace

void FaultyFileSystem::step() {
    if (++steps_ == failAt_) {
        throw Error(code_);
    }
}

std::unique_ptr<File> FaultyFileSystem::create(const std::string& path) {
    step();
    return std::make_unique<FaultyFile>(ForwardingFileSystem::create(path), *this);
}

void FaultyFileSystem::replace(const std::string& from, const std::string& target) {
    step();
    ForwardingFileSystem::replace(from, target);
}

}  // namespace quillory::test
