// What the file-open dialog's settings become for the system's dialog.
#include "app/toolkit/TOpenDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

using namespace std::string_literals;

TEST(OpenDialog, FilterPairsEndInZeroBytesAndTheListInOneMore) {
    TOpenDialog dialog;
    dialog.Filter = "WAV files|*.wav";
    EXPECT_EQ(dialog.FilterList(), "WAV files\0*.wav\0\0"s);
    dialog.Filter = "WAV files|*.wav|All files|*.*";
    EXPECT_EQ(dialog.FilterList(), "WAV files\0*.wav\0All files\0*.*\0\0"s);
    dialog.Filter = "";
    EXPECT_EQ(dialog.FilterList(), "");
}

TEST(OpenDialog, DefaultExtensionLosesItsDot) {
    TOpenDialog dialog;
    dialog.DefaultExt = ".wav";
    EXPECT_EQ(dialog.DefaultExtension(), "wav");
    dialog.DefaultExt = "wav";
    EXPECT_EQ(dialog.DefaultExtension(), "wav");
    dialog.DefaultExt = "";
    EXPECT_EQ(dialog.DefaultExtension(), "");
}

}  // namespace
}  // namespace quillory
