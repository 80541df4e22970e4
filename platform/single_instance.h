#pragma once

// One copy of the program per game folder: two copies saving the same texts would each write
// over what the other saved.
#include <memory>
#include <string>

namespace quillory {

// A game folder claimed by this copy of the program, until the claim goes.
class GameFolderClaim {
public:
    explicit GameFolderClaim(void* handle = nullptr) : handle_(handle) {}
    ~GameFolderClaim();
    GameFolderClaim(const GameFolderClaim&) = delete;
    GameFolderClaim& operator=(const GameFolderClaim&) = delete;

private:
    void* handle_;
};

// Claims the game folder `gameDir` for this copy of the program, whose main window is `window`.
// Null when another copy claimed it first: that copy's window is brought to the front. Names
// match without regard to case.
std::unique_ptr<GameFolderClaim> ClaimGameFolder(const std::string& gameDir, void* window);

}  // namespace quillory
