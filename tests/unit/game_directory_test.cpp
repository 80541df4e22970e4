// Where the program's files go below the game's folder.
#include "game/game_directory.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(GameDirectory, NamesEachFileBelowTheFolderAsFound) {
    const GameDirectory game(systemFileSystem(), "D:\\Games\\Ops\\");
    EXPECT_EQ(game.CommFile(), "D:\\Games\\Ops\\language\\pilots\\player_1.eng");
    const std::pair<int, const char*> speech[] = {{0, "00740000"},  {7, "00740007"},
                                                  {9, "00740009"},  {10, "00740010"},
                                                  {25, "00740025"}, {39, "00740039"}};
    for (const auto& [slot, name] : speech) {
        EXPECT_EQ(game.SpeechFile(slot),
                  std::string("D:\\Games\\Ops\\audio\\speech\\") + name + ".iff");
    }
    EXPECT_THROW(game.SpeechFile(40), std::exception);
    EXPECT_EQ(GameDirectory(systemFileSystem(), "").CommFile(), "language\\pilots\\player_1.eng");
}

}  // namespace
}  // namespace quillory
