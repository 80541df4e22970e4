#pragma once

// A file system in memory for the fuzz targets: fast, and every file can be looked at after
// the run. Paths are compared as given. "G:" is the only folder at the start.
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/error.h"
#include "platform/filesystem.h"

namespace quillory::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    using Content = std::shared_ptr<std::string>;

    std::map<std::string, Content> files;
    std::set<std::string> dirs = {"G:"};

    bool fileExists(const std::string& path) override { return files.count(path) > 0; }
    bool dirExists(const std::string& path) override { return dirs.count(path) > 0; }

    bool createDirectory(const std::string& path) override {
        return dirs.count(parentOf(path)) > 0 && files.count(path) == 0 && dirs.insert(path).second;
    }

    bool removeDirectory(const std::string& path) override {
        const std::string inside = path + "\\";
        const auto holds = [&](const auto& entry) {
            return std::string(entry).compare(0, inside.size(), inside) == 0;
        };
        for (const auto& [name, content] : files) {
            if (holds(name)) {
                return false;
            }
        }
        if (std::any_of(dirs.begin(), dirs.end(), holds)) {
            return false;
        }
        return dirs.erase(path) > 0;
    }

    bool deleteFile(const std::string& path) override { return files.erase(path) > 0; }

    std::unique_ptr<File> openRead(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            throw Error(dirs.count(parentOf(path)) ? kFileNotFound : kPathNotFound);
        }
        return std::make_unique<MemoryFile>(found->second, false);
    }

    std::unique_ptr<File> create(const std::string& path) override {
        if (dirs.count(parentOf(path)) == 0) {
            throw Error(kPathNotFound);
        }
        if (dirs.count(path) > 0) {
            throw Error(kAccessDenied);
        }
        Content content = std::make_shared<std::string>();
        files[path] = content;
        return std::make_unique<MemoryFile>(content, true);
    }

    void replace(const std::string& from, const std::string& target) override {
        const auto found = files.find(from);
        if (found == files.end()) {
            throw Error(kFileNotFound);
        }
        Content content = found->second;
        files.erase(found);
        files[target] = content;
    }

private:
    class MemoryFile : public File {
    public:
        MemoryFile(Content content, bool writable) : content_(content), writable_(writable) {}

        std::size_t read(void* buffer, std::size_t size) override {
            if (writable_) {
                throw Error(kAccessDenied);
            }
            const std::size_t left =
                position_ < content_->size() ? content_->size() - position_ : 0;
            const std::size_t got = std::min(size, left);
            std::copy_n(content_->data() + position_, got, static_cast<char*>(buffer));
            position_ += got;
            return got;
        }
        void write(const void* buffer, std::size_t size) override {
            if (!writable_) {
                throw Error(kAccessDenied);
            }
            if (content_->size() < position_) {
                content_->resize(position_, '\0');
            }
            content_->replace(position_, size, static_cast<const char*>(buffer), size);
            position_ += size;
        }
        void seek(std::uint64_t offset) override { position_ = offset; }
        std::uint64_t length() override { return content_->size(); }
        void flush() override {}
        void close() override {}

    private:
        Content content_;
        bool writable_;
        std::size_t position_ = 0;
    };

    static std::string parentOf(const std::string& path) {
        const std::size_t separator = path.rfind('\\');
        return separator == std::string::npos ? std::string() : path.substr(0, separator);
    }
};

}  // namespace quillory::fuzz
