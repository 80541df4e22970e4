#include "platform/filesystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/error.h"
#include "tests/support/error_code.h"
#include "tests/support/faulty_fs.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

using test::errorCodeOf;
using test::FaultyFileSystem;
using test::GameFolder;

class FileSystemTest : public testing::Test {
protected:
    FileSystem& fs = systemFileSystem();
    GameFolder game;
};

TEST_F(FileSystemTest, MissingFileAndMissingDirectoryHaveTheirCodes) {
    EXPECT_EQ(errorCodeOf([&] { fs.openRead(game.path("none.eng")); }), kFileNotFound);
    EXPECT_EQ(errorCodeOf([&] { fs.openRead(game.path("nodir\\none.eng")); }), kPathNotFound);
    EXPECT_EQ(errorCodeOf([&] { fs.create(game.path("nodir\\new.eng")); }), kPathNotFound);
}

TEST_F(FileSystemTest, FilesTheUserPicksOpenWhateverTheirNameAndLength) {
    namespace stdfs = std::filesystem;
    // Deeper than MAX_PATH, and a name outside any ANSI code page: "Голос 声.wav".
    std::string folder = game.dir();
    folder.pop_back();
    while (folder.size() < 300) {
        folder += std::string(1, stdfs::path::preferred_separator) + "recordings for slot nine";
    }
    const std::string name = "\xD0\x93\xD0\xBE\xD0\xBB\xD0\xBE\xD1\x81 \xE5\xA3\xB0.wav";
    const std::string file = folder + std::string(1, stdfs::path::preferred_separator) + name;
#ifdef _WIN32
    const std::string prefix = "\\\\?\\";
#else
    const std::string prefix;
#endif
    const auto native = [&](const std::string& utf8) {
        return stdfs::path(std::u8string(utf8.begin(), utf8.end()));
    };
    stdfs::create_directories(native(prefix + folder));
    std::ofstream(native(prefix + file), std::ios::binary) << "RIFF voice";

    EXPECT_TRUE(fs.dirExists(folder));
    EXPECT_FALSE(fs.dirExists(file));
    std::unique_ptr<File> opened = fs.openRead(file);
    char bytes[16] = {};
    EXPECT_EQ(opened->read(bytes, sizeof bytes), 10u);
    EXPECT_EQ(std::string(bytes, 10), "RIFF voice");
    opened->close();
    EXPECT_EQ(errorCodeOf([&] { fs.openRead(folder + "\\missing.wav"); }), kFileNotFound);
    // Long paths are gone one name at a time, deepest first.
    stdfs::remove(native(prefix + file));
    for (std::string dir = folder; dir.size() > game.dir().size();
         dir.erase(dir.rfind(stdfs::path::preferred_separator))) {
        stdfs::remove(native(prefix + dir));
    }
}

TEST_F(FileSystemTest, AGameFolderNamedOutsideTheCodePageIsWrittenReadAndRemoved) {
    const std::string folder = game.path("\xCE\xA9mega \xC3\xA9t\xC3\xA9");  // "Ωmega été"
    ASSERT_TRUE(fs.createDirectory(folder));
    const std::string file = folder + "\\player_1.eng";
    writeReplacing(fs, file, [](File& out) { out.write(std::string("texts")); });
    EXPECT_TRUE(fs.dirExists(folder));
    EXPECT_TRUE(fs.fileExists(file));
    EXPECT_EQ(readWholeFile(fs, file), "texts");
    EXPECT_TRUE(fs.deleteFile(file));
    EXPECT_TRUE(fs.removeDirectory(folder));
    EXPECT_FALSE(fs.dirExists(folder));
}

TEST_F(FileSystemTest, NamesMatchWithoutRegardToCase) {
    game.makeDir("Language\\Pilots");
    game.write("Language\\Pilots\\Player_1.ENG", "abc");
    EXPECT_TRUE(fs.dirExists(game.path("language\\pilots")));
    EXPECT_TRUE(fs.fileExists(game.path("language\\pilots\\player_1.eng")));
    EXPECT_FALSE(fs.fileExists(game.path("language\\pilots")));
    EXPECT_EQ(readWholeFile(fs, game.path("LANGUAGE\\PILOTS\\player_1.eng")), "abc");
    // A new file lands in the folder that is there, under the case it was given.
    fs.create(game.path("LANGUAGE\\new.txt"))->close();
    EXPECT_TRUE(game.exists("Language\\new.txt"));
}

TEST_F(FileSystemTest, ReadsWritesSeeksAndMeasures) {
    auto file = fs.create(game.path("f.bin"));
    file->write(std::string("0123456789"));
    file->close();
    auto in = fs.openRead(game.path("f.bin"));
    EXPECT_EQ(in->length(), 10u);
    in->seek(6);
    char four[4];
    in->readExact(four, 4);
    EXPECT_EQ(std::string(four, 4), "6789");
    EXPECT_EQ(in->read(four, 4), 0u);
    in->seek(8);
    EXPECT_EQ(errorCodeOf([&] { in->readExact(four, 4); }), kReadBeyondEnd);
}

TEST_F(FileSystemTest, ReadOnlyFileIsReadButNeverWrittenReplacedOrDeleted) {
    game.write("ro.eng", "kept");
    game.write("other.tmp", "new");
    game.setReadOnly("ro.eng", true);
    EXPECT_EQ(readWholeFile(fs, game.path("ro.eng")), "kept");
    EXPECT_EQ(errorCodeOf([&] { fs.create(game.path("ro.eng")); }), kAccessDenied);
    EXPECT_EQ(errorCodeOf([&] { fs.replace(game.path("other.tmp"), game.path("ro.eng")); }),
              kAccessDenied);
    EXPECT_FALSE(fs.deleteFile(game.path("ro.eng")));
    EXPECT_EQ(game.read("ro.eng"), "kept");
    EXPECT_EQ(game.read("other.tmp"), "new");
}

TEST_F(FileSystemTest, DirectoriesAreMadeOneLevelAndRemovedOnlyEmpty) {
    EXPECT_FALSE(fs.createDirectory(game.path("a\\b")));
    EXPECT_TRUE(fs.createDirectory(game.path("a")));
    EXPECT_TRUE(fs.createDirectory(game.path("a\\b")));
    game.write("a\\b\\x", "");
    EXPECT_FALSE(fs.removeDirectory(game.path("a\\b")));
    EXPECT_FALSE(fs.removeDirectory(game.path("a")));
    EXPECT_TRUE(fs.deleteFile(game.path("a\\b\\x")));
    EXPECT_FALSE(fs.deleteFile(game.path("a\\b\\x")));
    EXPECT_TRUE(fs.removeDirectory(game.path("a\\b")));
    EXPECT_TRUE(fs.removeDirectory(game.path("a")));
}

TEST_F(FileSystemTest, ReplacingWriteSwapsTheWholeFile) {
    game.write("f.eng", "old content, longer than the new");
    writeReplacing(fs, game.path("f.eng"), [](File& file) { file.write(std::string("new")); });
    EXPECT_EQ(game.read("f.eng"), "new");
    EXPECT_EQ(game.listing(""), "f.eng");
}

TEST_F(FileSystemTest, ReplacingWriteFailingAtAnyStepLeavesTheOldFileAndNoTemporary) {
    game.write("f.eng", "old");
    FaultyFileSystem counting;
    writeReplacing(counting, game.path("f.eng"), [](File& file) {
        file.write(std::string("first"));
        file.write(std::string("second"));
    });
    ASSERT_GE(counting.steps(), 5);  // create, two writes, flush, close, replace
    for (int step = 1; step <= counting.steps(); ++step) {
        game.write("f.eng", "old");
        FaultyFileSystem faulty(step, kDiskFull);
        EXPECT_EQ(errorCodeOf([&] {
                      writeReplacing(faulty, game.path("f.eng"), [](File& file) {
                          file.write(std::string("first"));
                          file.write(std::string("second"));
                      });
                  }),
                  kDiskFull)
            << "step " << step;
        EXPECT_EQ(game.read("f.eng"), "old") << "step " << step;
        EXPECT_EQ(game.listing(""), "f.eng") << "step " << step;
    }
}

}  // namespace
}  // namespace quillory
