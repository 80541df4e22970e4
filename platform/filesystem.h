#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace quillory {

// An open file. Every operation that fails throws Error with the code of the failure.
class File {
public:
    virtual ~File() = default;

    // Reads up to `size` bytes; returns how many were read, 0 at the end of the file.
    virtual std::size_t read(void* buffer, std::size_t size) = 0;
    // Writes all `size` bytes; a write that stores fewer fails with kDiskFull.
    virtual void write(const void* buffer, std::size_t size) = 0;
    virtual void seek(std::uint64_t offset) = 0;
    virtual std::uint64_t length() = 0;
    // Pushes written bytes to the disk.
    virtual void flush() = 0;
    // Closes the file; later calls do nothing. The destructor closes too, quietly.
    virtual void close() = 0;

    // Reads exactly `size` bytes, or fails with kReadBeyondEnd.
    void readExact(void* buffer, std::size_t size);
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
};

// The file system as the game's files and the user's need it. Paths are in UTF-8, of any length
// and any characters the system allows; a game path is a directory that ends in a separator
// followed by a relative path with backslashes. Names match without regard to case as Windows
// does.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::string& path) = 0;  // a directory is no file
    virtual bool dirExists(const std::string& path) = 0;
    // These report success only; their callers decide whether a failure matters.
    virtual bool createDirectory(const std::string& path) = 0;  // one level
    virtual bool removeDirectory(const std::string& path) = 0;  // only an empty one
    virtual bool deleteFile(const std::string& path) = 0;       // never a read-only one

    // An existing file, for reading only, shared with other readers and writers.
    virtual std::unique_ptr<File> openRead(const std::string& path) = 0;
    // A new empty file for writing, replacing any file of that name.
    virtual std::unique_ptr<File> create(const std::string& path) = 0;
    // Puts the file `from` in the place of `target` in one step. A read-only target is
    // refused with kAccessDenied.
    virtual void replace(const std::string& from, const std::string& target) = 0;
};

// The whole content of an existing file.
std::string readWholeFile(FileSystem& fs, const std::string& path);

// The name of the temporary file that a replacing write of `target` goes through. Fixed, so
// that the removal of the program's files can find one left behind by a crash.
std::string temporaryPathFor(const std::string& target);

// Writes a file through its temporary file: `fill` writes the content, then the temporary file
// is flushed and put in the place of `target` in one step. When anything fails, `target` is as
// it was, the temporary file is gone and the error goes on to the caller.
template <typename Fill>
void writeReplacing(FileSystem& fs, const std::string& target, Fill&& fill);

// The file system of the machine the program runs on.
FileSystem& systemFileSystem();

}  // namespace quillory

#include "platform/filesystem_inl.h"
