#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/FmxUtils.h"
#include "tests/support/fakes.h"
#include "tests/support/game_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <thread>
#endif

namespace quillory {
namespace {

using test::RecordingShell;

TEST(Launcher, EverythingReachesTheShellWholeAndOnce) {
    RecordingShell shell;
    void* owner = reinterpret_cast<void*>(0x1234);
    // 150 characters: far beyond the 79 of a fixed 80-byte buffer.
    const std::string dir = "D:\\Games\\" + std::string(130, 'S') + "\\Secret Ops\\";
    ASSERT_GT(dir.size(), 79u);

    EXPECT_EQ(LaunchFile(shell, owner, "Secretops.exe", "", dir, 5), 42);
    ASSERT_EQ(shell.calls.size(), 1u);
    const RecordingShell::Call& call = shell.calls[0];
    EXPECT_EQ(call.owner, owner);
    EXPECT_EQ(call.file, "Secretops.exe");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, dir);
    EXPECT_EQ(call.showCommand, 5);

    const std::string longName = dir + std::string(100, 'e') + ".exe";
    const std::string longParameters(300, 'p');
    LaunchFile(shell, owner, longName, longParameters, "", 1);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].file, longName);
    EXPECT_EQ(shell.calls[1].parameters, longParameters);
    EXPECT_EQ(shell.calls[1].directory, "");
}

TEST(Launcher, ShellResultComesBackUnchanged) {
    RecordingShell shell;
    for (std::intptr_t result : {0, 2, 3, 5, 31, 32, 33, 0x7FFF1234}) {
        shell.result = result;
        EXPECT_EQ(LaunchFile(shell, nullptr, "Secretops.exe", "", "C:\\", 5), result);
    }
}

#ifdef _WIN32
TEST(WindowsShell, MissingProgramIsNotStarted) {
    test::GameFolder game;  // an empty folder: no Secretops.exe in it
    const std::intptr_t result =
        LaunchFile(systemShell(), nullptr, "Secretops.exe", "", game.dir(), SW_SHOWNORMAL);
    EXPECT_LE(result, 32);
}

TEST(WindowsShell, StartedProgramRunsInALongWorkingDirectory) {
    test::GameFolder game;
    const std::string folder = std::string(100, 'w') + " Secret Ops";
    game.makeDir(folder);
    const std::string dir = game.path(folder) + "\\";
    ASSERT_GT(dir.size(), 79u);

    // cmd writes the folder it was started in into a file there.
    const std::intptr_t result =
        LaunchFile(systemShell(), nullptr, "cmd.exe", "/c cd > started-in.txt", dir, SW_HIDE);
    ASSERT_GT(result, 32);
    std::string written;
    for (int i = 0; i < 500 && written.find('\n') == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (game.exists(folder + "\\started-in.txt")) {
            written = game.read(folder + "\\started-in.txt");
        }
    }
    EXPECT_EQ(written.substr(0, written.find_first_of("\r\n")), game.path(folder));
}
#endif

}  // namespace
}  // namespace quillory
