#include "files/settings.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

TEST(Settings, NoFileGivesPortOneAndWritingCreatesIt) {
  TempFolder folder;
  const auto ini = folder / "Heron.ini";
  EXPECT_EQ(LoadComPort(ini), 1);
  EXPECT_EQ(LoadPrintSettings(ini), PrintSettings{});
  EXPECT_EQ(LoadComPortName(ini), "");
  EXPECT_FALSE(fs::exists(ini));  // reading writes nothing

  SaveComPort(ini, 1);
  EXPECT_EQ(ReadAll(ini), "[COM_SETTINGS]\r\nCOMport= 1\r\n");
}

TEST(Settings, TheFileAfterChoosingAPortAndPrinting) {
  TempFolder folder;
  const auto ini = folder / "Heron.ini";
  SaveComPort(ini, 1);
  SaveComPort(ini, 2);
  SavePrintSettings(ini, {1, 1, 0, 0});
  EXPECT_EQ(ReadAll(ini),
            "[COM_SETTINGS]\r\nCOMport= 2\r\n"
            "[PRINT_SETTINGS]\r\nSetMode= 1\r\nMemory= 1\r\nSearchBandMemory= 0\r\n"
            "FactorySetting= 0\r\n");
  EXPECT_EQ(LoadComPort(ini), 2);
  EXPECT_EQ(LoadPrintSettings(ini), (PrintSettings{1, 1, 0, 0}));
  SavePrintSettings(ini, {0, 1, 1, 1});
  EXPECT_EQ(LoadPrintSettings(ini), (PrintSettings{0, 1, 1, 1}));

  SaveComPortName(ini, "sim");
  EXPECT_EQ(LoadComPortName(ini), "sim");
  SaveComPortName(ini, "/dev/ttyUSB0");
  EXPECT_EQ(LoadComPortName(ini), "/dev/ttyUSB0");
  EXPECT_EQ(LoadComPort(ini), 2);
}

TEST(Settings, HandWrittenValues) {
  TempFolder folder;
  const auto ini = folder / "Heron.ini";
  const auto port_for = [&](const std::string& value) {
    WriteAll(ini, "[com_settings]\r\ncomport=" + value + "\r\n");
    return LoadComPort(ini);
  };
  EXPECT_EQ(port_for("     3"), 3);
  EXPECT_EQ(port_for("\t4 "), 4);
  EXPECT_EQ(port_for("-1"), -1);   // stored as it is; the window decides what it means
  EXPECT_EQ(port_for("COM3"), 1);  // not a whole number: the default
  EXPECT_EQ(port_for("3abc"), 1);
  EXPECT_EQ(port_for("2.5"), 1);
  EXPECT_EQ(port_for("40000"), 1);                      // beyond 16 bits
  EXPECT_EQ(port_for(std::string(300, ' ') + "2"), 2);  // blanks before the value don't count

  WriteAll(ini, "[PRINT_SETTINGS]\r\nMemory=x\r\nSetMode= 1\r\n");
  EXPECT_EQ(LoadPrintSettings(ini), (PrintSettings{1, 0, 0, 0}));
}

TEST(Settings, FailedWritesAreSilent) {
  TempFolder folder;
  const auto ini = folder / "none" / "Heron.ini";
  SaveComPort(ini, 3);
  SavePrintSettings(ini, {1, 1, 1, 1});
  EXPECT_FALSE(fs::exists(folder / "none"));
  EXPECT_EQ(LoadComPort(ini), 1);
}

TEST(Settings, WhereTheFileLives) {
  TempFolder folder;
  const fs::path program = folder / "program";
  const fs::path user = folder / "user" / "kestrel";
  fs::create_directory(program);

  EXPECT_EQ(SettingsFilePath(program, user), program / "Heron.ini");  // writable
  EXPECT_FALSE(fs::exists(user));

  // A program folder that cannot take a file: the user's folder, created on the way.
  EXPECT_EQ(SettingsFilePath(folder / "missing", user), user / "Heron.ini");
  EXPECT_TRUE(fs::is_directory(user));

  if (!testing::IgnoresPermissions()) {
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SettingsFilePath(program, user), user / "Heron.ini");
    fs::permissions(program, fs::perms::owner_all);
  }

  // An existing Heron.ini in the program folder is used even when the folder is read-only.
  WriteAll(program / "Heron.ini", "[COM_SETTINGS]\r\nCOMport= 2\r\n");
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(SettingsFilePath(program, user), program / "Heron.ini");
  fs::permissions(program, fs::perms::owner_all);
}

}  // namespace
}  // namespace kestrel
