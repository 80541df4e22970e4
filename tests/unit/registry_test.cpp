// The installation record as the program reads it: natively through the lookup's four outcomes,
// and under Windows from records that reg.exe writes into the machine's registry.
#include <gtest/gtest.h>

#include "app/messages.h"

#include "game/locator.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "tests/support/fakes.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/wide_win32.h"
#endif

namespace quillory {
namespace {

using Outcome = RegistryLookup::Outcome;
using test::MemoryRegistry;

GameInstallation locateWith(Outcome outcome, const std::string& value = "") {
    MemoryRegistry registry;
    registry.record = {outcome, value};
    return locateGame(registry);
}

TEST(Locator, StringValueIsTheGameFolderEndingInABackslash) {
    EXPECT_EQ(locateWith(Outcome::String, "D:\\Games\\Ops\\").gameDir, "D:\\Games\\Ops\\");
    EXPECT_EQ(locateWith(Outcome::String, "D:\\Games\\Ops").gameDir, "D:\\Games\\Ops\\");
    EXPECT_FALSE(locateWith(Outcome::String, "D:\\Games\\Ops").missing);
}

TEST(Locator, NoKeyNoValueOrAnEmptyValueMeanNotInstalled) {
    for (const GameInstallation& found :
         {locateWith(Outcome::KeyMissing), locateWith(Outcome::ValueMissing),
          locateWith(Outcome::String, "")}) {
        EXPECT_TRUE(found.missing);
        EXPECT_EQ(found.gameDir, "");
    }
}

TEST(Locator, ValueOfAnotherTypeFails) {
    try {
        locateWith(Outcome::OtherType);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(messages::ErrorBoxText(error), "Invalid data type for 'Installed To:'");
    }
}

#ifdef _WIN32
// A key of its own for each test, so that tests may run side by side.
class WindowsRegistry : public testing::Test {
protected:
    void SetUp() override {
        key_ = "SOFTWARE\\Quillory Tests\\" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
        reg("delete \"HKLM\\" + key_ + "\" /f /reg:32");
        reg("delete \"HKLM\\" + key_ + "\" /f /reg:64");
    }
    void TearDown() override { SetUp(); }

    // Runs reg.exe as an administrator would.
    static void reg(const std::string& arguments) {
        std::wstring command = WideOf("reg.exe " + arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process));
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    void add(const std::string& type, const std::string& data, const char* view = "/reg:32") {
        reg("add \"HKLM\\" + key_ + "\" /v \"Installed To:\" /t " + type + " /d \"" + data +
            "\" /f " + view);
    }

    RegistryLookup lookup() { return systemRegistry().lookup(key_, "Installed To:"); }

    std::string key_;
};

TEST_F(WindowsRegistry, StringValuesAsStored) {
    add("REG_SZ", "C:\\Games\\Ops\\\\");
    RegistryLookup found = lookup();
    EXPECT_EQ(found.outcome, Outcome::String);
    EXPECT_EQ(found.value, "C:\\Games\\Ops\\");

    add("REG_SZ", "C:\\Games\\Ops");
    found = lookup();
    EXPECT_EQ(found.outcome, Outcome::String);
    EXPECT_EQ(found.value, "C:\\Games\\Ops");
}

TEST_F(WindowsRegistry, NamesOutsideTheCodePageComeInUtf8) {
    add("REG_SZ", "C:\\\xCE\xA9mega \xC3\xA9t\xC3\xA9\\\\");  // "Ωmega été"
    EXPECT_EQ(lookup().value, "C:\\\xCE\xA9mega \xC3\xA9t\xC3\xA9\\");
}

TEST_F(WindowsRegistry, ExpandableStringIsExpanded) {
    add("REG_EXPAND_SZ", "%WINDIR%\\Ops\\\\");
    const RegistryLookup found = lookup();
    char windows[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableA("WINDIR", windows, sizeof windows), 0u);
    EXPECT_EQ(found.outcome, Outcome::String);
    EXPECT_EQ(found.value, std::string(windows) + "\\Ops\\");
}

TEST_F(WindowsRegistry, OtherTypesEmptyAndMissingValues) {
    add("REG_DWORD", "7");
    EXPECT_EQ(lookup().outcome, Outcome::OtherType);

    reg("delete \"HKLM\\" + key_ + "\" /v \"Installed To:\" /f /reg:32");
    EXPECT_EQ(lookup().outcome, Outcome::ValueMissing);

    add("REG_SZ", "");
    const RegistryLookup empty = lookup();
    EXPECT_TRUE(empty.outcome == Outcome::ValueMissing ||
                (empty.outcome == Outcome::String && empty.value.empty()));
}

TEST_F(WindowsRegistry, OnlyThe32BitViewCounts) {
    EXPECT_EQ(lookup().outcome, Outcome::KeyMissing);
    add("REG_SZ", "C:\\Native64\\\\", "/reg:64");
    EXPECT_EQ(lookup().outcome, Outcome::KeyMissing);
    add("REG_SZ", "C:\\Games\\\\", "/reg:32");
    EXPECT_EQ(lookup().value, "C:\\Games\\");
}
#endif

}  // namespace
}  // namespace quillory
