#pragma once

#include <cstdint>
#include <string>

namespace quillory {

// The Windows shell's "open this file with its default action".
class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecute with a null operation, strings in UTF-8; returns its result as a number (above
    // 32: started).
    virtual std::intptr_t Execute(void* owner, const std::string& file,
                                  const std::string& parameters, const std::string& directory,
                                  int showCommand) = 0;
};

Shell& systemShell();

}  // namespace quillory
