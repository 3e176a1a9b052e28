#include "files/settings.h"

#include <gtest/gtest.h>

#include "support/platform.h"
#include "support/temp_files.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// The settings file, and the program's and the user's folders it may live in.
struct Settings : ::testing::Test {
  TempFolder folder;
  const fs::path ini = folder / "Heron.ini", program = folder / "program",
                 user = folder / "user" / "kestrel";
};

TEST_F(Settings, TheFileAfterChoosingAPortAndPrinting) {
  EXPECT_EQ(LoadComPort(ini), 1);
  EXPECT_EQ(LoadPrintSettings(ini), PrintSettings{});
  EXPECT_EQ(LoadComPortName(ini), "");
  EXPECT_FALSE(fs::exists(ini));  // reading writes nothing

  SaveComPort(ini, 1);
  SaveComPort(ini, 2);
  SavePrintSettings(ini, {1, 1, 0, 0});
  SaveComPortName(ini, "/dev/ttyUSB0");
  EXPECT_EQ(ReadAll(ini),
            "[COM_SETTINGS]\r\nCOMport= 2\r\nCOMportName=/dev/ttyUSB0\r\n"
            "[PRINT_SETTINGS]\r\nSetMode= 1\r\nMemory= 1\r\nSearchBandMemory= 0\r\n"
            "FactorySetting= 0\r\n");
  EXPECT_EQ(LoadComPort(ini), 2);
  EXPECT_EQ(LoadComPortName(ini), "/dev/ttyUSB0");
  SavePrintSettings(ini, {0, 1, 1, -1});
  EXPECT_EQ(LoadPrintSettings(ini), (PrintSettings{0, 1, 1, -1}));
}

TEST_F(Settings, HandWrittenValues) {
  // Blanks before the value don't count; -1 is kept, as the window decides what it means; what
  // is no 16-bit whole number reads as the default.
  // clang-format off
  for (const auto& [value, port] : std::vector<std::pair<std::string, int>>{
           {"     3", 3}, {"\t4 ", 4}, {std::string(300, ' ') + "2", 2}, {"-1", -1}, {"COM3", 1},
           {"3abc", 1}, {"2.5", 1}, {"40000", 1}, {"-40000", 1}}) {
    // clang-format on
    WriteAll(ini, "[com_settings]\r\ncomport=" + value + "\r\n");
    EXPECT_EQ(LoadComPort(ini), port) << value;
  }
  WriteAll(ini, "[PRINT_SETTINGS]\r\nMemory=x\r\nSetMode= 1\r\n");
  EXPECT_EQ(LoadPrintSettings(ini), (PrintSettings{1, 0, 0, 0}));

  SaveComPort(folder / "none" / "Heron.ini", 3);  // a failed write is silent
  EXPECT_EQ(folder.Listing(), "Heron.ini");
}

TEST_F(Settings, WhereTheFileLives) {
  fs::create_directory(program);
  EXPECT_EQ(SettingsFilePath(program, user), program / "Heron.ini");  // writable
  EXPECT_FALSE(fs::exists(user));
  // A program folder that cannot take a file: the user's folder, created on the way.
  EXPECT_EQ(SettingsFilePath(folder / "missing", user), user / "Heron.ini");
  EXPECT_TRUE(fs::is_directory(user));

  // A program folder the user cannot write: its settings are read, and changes go to the user's.
  KESTREL_SKIP_ON_WINDOWS("a read-only folder keeps nobody from creating files in it there");
  WriteAll(program / "Heron.ini", "[COM_SETTINGS]\r\nCOMport= 3\r\n");
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
  const fs::path settings = SettingsFilePath(program, user);
  EXPECT_EQ(settings, (IsRoot() ? program : user) / "Heron.ini");  // root writes there anyway
  EXPECT_EQ(LoadComPort(settings), 3);
  fs::permissions(program, fs::perms::owner_all);
}

// A Heron.ini shipped read-only is read, the user's changes are kept in the user's folder, and
// the shipped file stays as it is.
TEST_F(Settings, ChangesToAReadOnlyShippedFileGoToTheUsersFolder) {
  fs::create_directory(program);
  const std::string shipped = "[COM_SETTINGS]\r\nCOMport= 3\r\n";
  WriteAll(program / "Heron.ini", shipped);
  fs::permissions(program / "Heron.ini", fs::perms::owner_read);
  for (const int port : {2, 4}) {  // the second run finds the user's file
    const fs::path settings = SettingsFilePath(program, user);
    ASSERT_EQ(settings, user / "Heron.ini");
    EXPECT_EQ(LoadComPort(settings), port == 2 ? 3 : 2);
    SaveComPort(settings, port);
  }
  EXPECT_EQ(LoadComPort(user / "Heron.ini"), 4);
  fs::permissions(program / "Heron.ini", fs::perms::owner_all);
  EXPECT_EQ(ReadAll(program / "Heron.ini"), shipped);
}

}  // namespace
}  // namespace kestrel
