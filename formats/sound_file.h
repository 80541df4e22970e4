#pragma once

// A sound file the player chose, of any kind: told from its bytes and, when compressed, handed
// to the system's decoders.
#include <memory>
#include <string>

#include "formats/wave.h"
#include "platform/decoder.h"
#include "platform/filesystem.h"

namespace quillory {

// An open file as a source of bytes: one it owns, or one its caller keeps open meanwhile.
class FileBytes : public ByteSource {
public:
    explicit FileBytes(std::unique_ptr<File> file) : owned_(std::move(file)), file_(*owned_) {}
    explicit FileBytes(File& file) : file_(file) {}
    std::uint64_t size() override { return file_.length(); }
    std::size_t readAt(std::uint64_t offset, void* into, std::size_t count) override;

private:
    std::unique_ptr<File> owned_;
    File& file_;
};

struct SoundOpening {
    SoundKind kind = SoundKind::Unknown;
    // For a compressed kind: the decoded sound, or why there is none. Nothing is decoded for
    // Wave (read as it is) and Unknown.
    DecodeResult decoded;
    // For Wave and Unknown: the file, still open, for its reader to go on with.
    std::unique_ptr<File> file;
};

// Opens the file at `utf8Path` once (failures of the file system pass through as they come): an
// MP3 whose frames cannot be found is Damaged.
SoundOpening openSound(FileSystem& fs, const std::string& utf8Path);

}  // namespace quillory
