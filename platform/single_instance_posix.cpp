// Native builds run one copy under test: every claim is granted.
#include "platform/single_instance.h"

namespace quillory {

GameFolderClaim::~GameFolderClaim() = default;

std::unique_ptr<GameFolderClaim> ClaimGameFolder(const std::string&, void*) {
    return std::make_unique<GameFolderClaim>();
}

}  // namespace quillory
