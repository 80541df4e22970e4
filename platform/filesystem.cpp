#include "platform/filesystem.h"

#include "platform/error.h"

namespace quillory {

void File::readExact(void* buffer, std::size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        const std::size_t got = read(bytes, size);
        if (got == 0) {
            throw Error(kReadBeyondEnd);
        }
        bytes += got;
        size -= got;
    }
}

std::string readWholeFile(FileSystem& fs, const std::string& path) {
    std::unique_ptr<File> file = fs.openRead(path);
    std::string bytes;
    char buffer[8192];
    for (std::size_t got; (got = file->read(buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, got);
    }
    file->close();
    return bytes;
}

std::string temporaryPathFor(const std::string& target) { return target + ".tmp"; }

}  // namespace quillory
