#pragma once

#include "platform/filesystem.h"

namespace quillory {

template <typename Fill>
void writeReplacing(FileSystem& fs, const std::string& target, Fill&& fill) {
    const std::string temporary = temporaryPathFor(target);
    try {
        std::unique_ptr<File> file = fs.create(temporary);
        fill(*file);
        file->flush();
        file->close();
        fs.replace(temporary, target);
    } catch (...) {
        fs.deleteFile(temporary);
        throw;
    }
}

}  // namespace quillory
