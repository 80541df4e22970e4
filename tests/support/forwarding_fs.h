#pragma once

// Test doubles of the file system start from these: every call goes to the real one, and a
// double overrides only what it watches or changes.
#include <memory>
#include <string>

#include "platform/filesystem.h"

namespace quillory::test {

class ForwardingFile : public File {
public:
    explicit ForwardingFile(std::unique_ptr<File> real) : real_(std::move(real)) {}

    std::size_t read(void* buffer, std::size_t size) override { return real_->read(buffer, size); }
    void write(const void* buffer, std::size_t size) override { real_->write(buffer, size); }
    void seek(std::uint64_t offset) override { real_->seek(offset); }
    std::uint64_t length() override { return real_->length(); }
    void flush() override { real_->flush(); }
    void close() override { real_->close(); }

private:
    std::unique_ptr<File> real_;
};

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& real = systemFileSystem()) : real_(real) {}

    bool fileExists(const std::string& path) override { return real_.fileExists(path); }
    bool dirExists(const std::string& path) override { return real_.dirExists(path); }
    bool createDirectory(const std::string& path) override { return real_.createDirectory(path); }
    bool removeDirectory(const std::string& path) override { return real_.removeDirectory(path); }
    bool deleteFile(const std::string& path) override { return real_.deleteFile(path); }
    std::unique_ptr<File> openRead(const std::string& path) override {
        return real_.openRead(path);
    }
    std::unique_ptr<File> create(const std::string& path) override { return real_.create(path); }
    void replace(const std::string& from, const std::string& target) override {
        real_.replace(from, target);
    }

private:
    FileSystem& real_;
};

}  // namespace quillory::test
