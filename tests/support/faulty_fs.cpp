#include "tests/support/faulty_fs.h"

#include "platform/error.h"

namespace quillory::test {
namespace {

class FaultyFile : public File {
public:
    FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& fs)
        : real_(std::move(real)), fs_(fs) {}

    std::size_t read(void* buffer, std::size_t size) override { return real_->read(buffer, size); }
    void write(const void* buffer, std::size_t size) override {
        fs_.step();
        real_->write(buffer, size);
    }
    void seek(std::uint64_t offset) override { real_->seek(offset); }
    std::uint64_t length() override { return real_->length(); }
    void flush() override {
        fs_.step();
        real_->flush();
    }
    void close() override {
        if (!closed_) {
            closed_ = true;
            fs_.step();
        }
        real_->close();
    }

private:
    std::unique_ptr<File> real_;
    FaultyFileSystem& fs_;
    bool closed_ = false;
};

}  // namespace

void FaultyFileSystem::step() {
    if (++steps_ == failAt_) {
        throw Error(code_);
    }
}

bool FaultyFileSystem::fileExists(const std::string& path) { return real_.fileExists(path); }
bool FaultyFileSystem::dirExists(const std::string& path) { return real_.dirExists(path); }
bool FaultyFileSystem::createDirectory(const std::string& path) {
    return real_.createDirectory(path);
}
bool FaultyFileSystem::removeDirectory(const std::string& path) {
    return real_.removeDirectory(path);
}
bool FaultyFileSystem::deleteFile(const std::string& path) { return real_.deleteFile(path); }

std::unique_ptr<File> FaultyFileSystem::openRead(const std::string& path) {
    return real_.openRead(path);
}

std::unique_ptr<File> FaultyFileSystem::create(const std::string& path) {
    step();
    return std::make_unique<FaultyFile>(real_.create(path), *this);
}

void FaultyFileSystem::replace(const std::string& from, const std::string& target) {
    step();
    real_.replace(from, target);
}

}  // namespace quillory::test
