#pragma once

#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace quillory {

// Deletes every file the program may have written below `gameDir` (the communication text
// file, the 40 speech sample files and the temporary files of their writes), then removes
// "language\pilots", "language", "audio\speech" and "audio" where they are empty. Returns the
// paths of the files that exist but could not be deleted.
std::vector<std::string> RemoveCustomFiles(FileSystem& fs, const std::string& gameDir);

// Deletes the temporary files that writes of the program's files left behind when they never
// finished (the program was killed, the machine went down); nothing else.
void RemoveUnfinishedWrites(FileSystem& fs, const std::string& gameDir);

// Deletes a file the program writes and the temporary file of a write of it; adds each of the
// two that exists but stays to `kept`.
void DeleteWrittenFile(FileSystem& fs, const std::string& path, std::vector<std::string>& kept);

}  // namespace quillory
