#pragma once

// Numbers as bytes. WAVE files keep theirs little-endian; the game's files keep their sizes as
// 32-bit big-endian values. Every number read from or written into a file goes through here,
// and headers are built by appending their fields in order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace quillory {

// The unsigned number in the `count` bytes (at most 8) at `bytes`, lowest byte first.
constexpr std::uint64_t readLittleEndian(const unsigned char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return value;
}

// The same, highest byte first.
constexpr std::uint64_t readBigEndian(const unsigned char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

inline std::uint64_t readLittleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    return readLittleEndian(reinterpret_cast<const unsigned char*>(bytes.data() + at), count);
}

inline std::uint64_t readBigEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    return readBigEndian(reinterpret_cast<const unsigned char*>(bytes.data() + at), count);
}

// Writes the low `count` bytes of `value` at `at`, lowest byte first.
constexpr void writeLittleEndian(unsigned char* at, std::uint64_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// The same, highest byte first.
constexpr void writeBigEndian(unsigned char* at, std::uint64_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        at[count - 1 - i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

inline void writeBigEndian(std::string& bytes, std::size_t at, std::uint64_t value,
                           std::size_t count) {
    writeBigEndian(reinterpret_cast<unsigned char*>(bytes.data() + at), value, count);
}

// Bytes made by appending fields in the order they stand in the file.
class ByteBuilder {
public:
    explicit ByteBuilder(std::size_t expectedSize = 0) { bytes_.reserve(expectedSize); }

    // Characters or bytes as they are.
    ByteBuilder& text(std::string_view chars) {
        bytes_ += chars;
        return *this;
    }
    ByteBuilder& bytes(std::span<const unsigned char> bytes) {
        bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return *this;
    }
    ByteBuilder& zeros(std::size_t count) {
        bytes_.append(count, '\0');
        return *this;
    }
    // A number in `count` bytes.
    ByteBuilder& littleEndian(std::uint64_t value, std::size_t count) {
        return put(value, count, &writeLittleEndian);
    }
    ByteBuilder& bigEndian(std::uint64_t value, std::size_t count) {
        return put(value, count, &writeBigEndian);
    }

    std::string take() { return std::move(bytes_); }

private:
    ByteBuilder& put(std::uint64_t value, std::size_t count,
                     void (*write)(unsigned char*, std::uint64_t, std::size_t)) {
        unsigned char number[8];
        write(number, value, count);
        return bytes({number, count});
    }

    std::string bytes_;
};

}  // namespace quillory
