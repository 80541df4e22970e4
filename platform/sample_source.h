#pragma once

// Sample bytes as the sound output takes them: a buffer at a time, from wherever they are.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/filesystem.h"

namespace quillory {

class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Copies the next bytes into `buffer`, at most `size` of them; returns how many, 0 once
    // all were read. A failure of the bytes' own store (a read error of the disk) throws.
    virtual std::size_t read(void* buffer, std::size_t size) = 0;
};

// Bytes held in memory, a recording say.
class MemorySamples : public SampleSource {
public:
    explicit MemorySamples(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(void* buffer, std::size_t size) override;

private:
    std::string bytes_;
    std::size_t next_ = 0;
};

// Bytes that come a block at a time, a decoder's output say: a read goes on with the block that
// came last and asks for the next only once that one is used up.
class BlockSamples : public SampleSource {
public:
    std::size_t read(void* buffer, std::size_t size) final;

protected:
    // The next block into `block`, which comes empty (an empty block is allowed); false when
    // no block comes after this one. A failure throws, and then no block comes either.
    virtual bool NextBlock(std::string& block) = 0;

private:
    std::string block_;
    std::size_t next_ = 0;
    bool ended_ = false;
};

// The next `count` bytes of an open file, from where it stands; fewer where the file ends
// before them. The file stays open until the source goes.
class FileSamples : public SampleSource {
public:
    FileSamples(std::unique_ptr<File> file, std::uint64_t count)
        : file_(std::move(file)), left_(count) {}
    std::size_t read(void* buffer, std::size_t size) override;

private:
    std::unique_ptr<File> file_;
    std::uint64_t left_;
};

}  // namespace quillory
