#include "game/removal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tests/support/expected.h"
#include "tests/support/forwarding_fs.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

using test::GameFolder;

using test::speechName;

// The system's file system, noting every deletion and directory removal asked of it.
class RecordingFileSystem : public test::ForwardingFileSystem {
public:
    explicit RecordingFileSystem(const std::string& gameDir) : gameDir_(gameDir) {}

    std::vector<std::string> calls;

    bool createDirectory(const std::string& path) override {
        calls.push_back("mkdir " + relative(path));
        return ForwardingFileSystem::createDirectory(path);
    }
    bool removeDirectory(const std::string& path) override {
        calls.push_back("rmdir " + relative(path));
        return ForwardingFileSystem::removeDirectory(path);
    }
    bool deleteFile(const std::string& path) override {
        calls.push_back("delete " + relative(path));
        return ForwardingFileSystem::deleteFile(path);
    }
    std::unique_ptr<File> openRead(const std::string& path) override {
        calls.push_back("open " + relative(path));
        return ForwardingFileSystem::openRead(path);
    }
    std::unique_ptr<File> create(const std::string& path) override {
        calls.push_back("create " + relative(path));
        return ForwardingFileSystem::create(path);
    }
    void replace(const std::string& from, const std::string& target) override {
        calls.push_back("replace " + relative(from));
        ForwardingFileSystem::replace(from, target);
    }

private:
    std::string relative(const std::string& path) const {
        return path.compare(0, gameDir_.size(), gameDir_) == 0 ? path.substr(gameDir_.size())
                                                               : "(outside) " + path;
    }

    std::string gameDir_;
};

class Removal : public testing::Test {
protected:
    Removal() {
        game.makeDir("language\\pilots");
        game.makeDir("audio\\speech");
    }

    // Every file the program may have left: the 41 files and their temporary files.
    void writeAllOwnFiles() const {
        game.write("language\\pilots\\player_1.eng", "texts");
        game.write("language\\pilots\\player_1.eng.tmp", "half a save");
        for (int slot = 0; slot < 40; ++slot) {
            game.write(speechName(slot), "FORM");
            game.write(speechName(slot) + ".tmp", "half an import");
        }
    }

    std::vector<std::string> remove() { return RemoveCustomFiles(systemFileSystem(), game.dir()); }

    GameFolder game;
};

TEST_F(Removal, AllOwnFilesAndTheEmptiedFoldersGo) {
    writeAllOwnFiles();
    EXPECT_EQ(remove(), std::vector<std::string>{});
    EXPECT_EQ(game.listing(""), "");
}

TEST_F(Removal, EveryNameIsTriedOnceInOrderWithoutListingAFolder) {
    RecordingFileSystem fs(game.dir());
    EXPECT_EQ(RemoveCustomFiles(fs, game.dir()), std::vector<std::string>{});

    std::vector<std::string> expected = {"delete language\\pilots\\player_1.eng",
                                         "delete language\\pilots\\player_1.eng.tmp",
                                         "rmdir language\\pilots", "rmdir language"};
    for (int slot = 0; slot < 40; ++slot) {
        expected.push_back("delete " + speechName(slot));
        expected.push_back("delete " + speechName(slot) + ".tmp");
    }
    expected.push_back("rmdir audio\\speech");
    expected.push_back("rmdir audio");
    EXPECT_EQ(fs.calls, expected);
}

TEST_F(Removal, ForeignFilesAndTheirFoldersStay) {
    writeAllOwnFiles();
    const char* foreign[] = {
        "audio\\speech\\00740040.iff",  // a number above 39
        "audio\\speech\\00740099.iff",     "audio\\speech\\00740100.iff",
        "audio\\speech\\0074009.iff",  // the prefixes swapped at 9 and 10
        "audio\\speech\\007400010.iff",    "audio\\speech\\00740007.wav",
        "audio\\speech\\00740007.iff.bak", "audio\\speech\\x00740007.iff",
        "language\\pilots\\player_2.eng",  "language\\readme.txt",
    };
    for (const char* name : foreign) {
        game.write(name, "the game's");
    }
    EXPECT_EQ(remove(), std::vector<std::string>{});
    EXPECT_EQ(game.listing("audio\\speech"),
              "007400010.iff 00740007.iff.bak 00740007.wav 00740040.iff 0074009.iff 00740099.iff "
              "00740100.iff x00740007.iff");
    EXPECT_EQ(game.listing("language\\pilots"), "player_2.eng");
    EXPECT_EQ(game.listing("language"), "pilots readme.txt");
    for (const char* name : foreign) {
        EXPECT_EQ(game.read(name), "the game's") << name;
    }
}

TEST_F(Removal, FoldersWithOtherContentStayEmptiedOnesGo) {
    writeAllOwnFiles();
    game.makeDir("language\\pilots\\old");
    game.write("audio\\music.dat", "m");
    EXPECT_EQ(remove(), std::vector<std::string>{});
    EXPECT_EQ(game.listing(""), "audio language");
    EXPECT_EQ(game.listing("language"), "pilots");
    EXPECT_EQ(game.listing("language\\pilots"), "old");
    EXPECT_EQ(game.listing("audio"), "music.dat");
}

TEST_F(Removal, SomeSlotsOnlyAndNothingAtAllAreSilent) {
    game.write(speechName(7), "seven");
    game.write(speechName(25), "twenty-five");
    game.write(speechName(9), "nine");
    game.write(speechName(10), "ten");
    EXPECT_EQ(remove(), std::vector<std::string>{});
    EXPECT_EQ(game.listing(""), "");

    // Nothing there at all, not even the folders: nothing made, nothing reported.
    EXPECT_EQ(remove(), std::vector<std::string>{});
    EXPECT_EQ(game.listing(""), "");
}

TEST_F(Removal, NamesMatchWhateverTheirCase) {
    GameFolder upper;
    upper.makeDir("LANGUAGE\\Pilots");
    upper.makeDir("Audio\\SPEECH");
    upper.write("LANGUAGE\\Pilots\\PLAYER_1.ENG", "texts");
    upper.write("Audio\\SPEECH\\00740012.IFF", "FORM");
    EXPECT_EQ(RemoveCustomFiles(systemFileSystem(), upper.dir()), std::vector<std::string>{});
    EXPECT_EQ(upper.listing(""), "");
}

TEST_F(Removal, ReadOnlyFilesAreReportedAndKept) {
    writeAllOwnFiles();
    game.setReadOnly("language\\pilots\\player_1.eng", true);
    game.setReadOnly(speechName(9), true);
    game.setReadOnly(speechName(31) + ".tmp", true);
    EXPECT_EQ(remove(), (std::vector<std::string>{game.path("language\\pilots\\player_1.eng"),
                                                  game.path(speechName(9)),
                                                  game.path(speechName(31) + ".tmp")}));
    EXPECT_EQ(game.listing("language\\pilots"), "player_1.eng");
    EXPECT_EQ(game.listing("audio\\speech"), "00740009.iff 00740031.iff.tmp");
    EXPECT_EQ(game.read(speechName(9)), "FORM");
}

#ifdef _WIN32
TEST_F(Removal, FileInUseIsReportedAndKept) {
    writeAllOwnFiles();
    // Open without sharing the right to delete, as a program playing the sample would.
    std::ifstream playing(game.path(speechName(4)), std::ios::binary);
    ASSERT_TRUE(playing.is_open());
    EXPECT_EQ(remove(), std::vector<std::string>{game.path(speechName(4))});
    EXPECT_EQ(game.listing("audio\\speech"), "00740004.iff");
}
#endif

}  // namespace
}  // namespace quillory
