#include "files/private_profile.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kestrel {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

TEST(PrivateProfile, ReadsLikeThePlatformReader) {
  TempFolder folder;
  const auto ini = folder / "t.ini";
  EXPECT_EQ(IniRead(ini, "S", "k", "dflt"), "dflt");  // no file

  WriteAll(ini,
           "top=before any section\r\n"
           "[ First ]\r\n"
           "  Key =   spaced value  \r\n"
           "key=second of the same name\r\n"
           "quoted=\"in quotes\"\r\n"
           "empty=\r\n"
           "; comment=not a key\r\n"
           "long=" +
               std::string(300, 'x') +
               "\r\n"
               "[second]\n"
               "key=lf only\n"
               "[FIRST]\r\n"
               "other=a later section of the same name is not used\r\n");
  EXPECT_EQ(IniRead(ini, "first", "KEY", "d"), "spaced value");
  EXPECT_EQ(IniRead(ini, "First", "quoted", "d"), "in quotes");
  EXPECT_EQ(IniRead(ini, "First", "empty", "d"), "");
  EXPECT_EQ(IniRead(ini, "First", "comment", "d"), "d");
  EXPECT_EQ(IniRead(ini, "First", "long", "d"), std::string(249, 'x'));
  EXPECT_EQ(IniRead(ini, "Second", "key", "d"), "lf only");
  EXPECT_EQ(IniRead(ini, "First", "other", "d"), "d");
  EXPECT_EQ(IniRead(ini, "First", "top", "d"), "d");
  EXPECT_EQ(IniRead(ini, "Third", "key", "d"), "d");
}

TEST(PrivateProfile, WriteChangesOnlyTheOneLine) {
  TempFolder folder;
  const auto ini = folder / "t.ini";
  const std::string before =
      "; settings\r\n"
      "\r\n"
      "[Other]\r\n"
      "COMport=7\r\n"
      "\r\n"
      "[com_settings]\r\n"
      "  ComPort =  4   \r\n"
      "Extra = keep  this \r\n"
      "\r\n"
      "[Last]\r\n"
      "a=1";  // no line end at the end of the file
  WriteAll(ini, before);

  ASSERT_TRUE(IniWrite(ini, "COM_SETTINGS", "COMport", " 3"));
  std::string expected = before;
  expected.replace(expected.find("  ComPort =  4   "), 17, "  ComPort = 3");
  EXPECT_EQ(ReadAll(ini), expected);

  // A new key goes after the section's last line, before the blank line that ends it.
  ASSERT_TRUE(IniWrite(ini, "Com_Settings", "New", "v"));
  expected.insert(expected.find("Extra = keep  this \r\n") + 21, "New=v\r\n");
  EXPECT_EQ(ReadAll(ini), expected);

  // A key in the last section, which lacks its final line end.
  ASSERT_TRUE(IniWrite(ini, "last", "b", "2"));
  expected += "\r\nb=2\r\n";
  EXPECT_EQ(ReadAll(ini), expected);

  // A new section goes at the end.
  ASSERT_TRUE(IniWrite(ini, "PRINT_SETTINGS", "Memory", " 1"));
  expected += "[PRINT_SETTINGS]\r\nMemory= 1\r\n";
  EXPECT_EQ(ReadAll(ini), expected);
  EXPECT_EQ(folder.Listing(), "t.ini");
}

TEST(PrivateProfile, WriteKeepsLfOnlyFilesAndRefusesWhatALineCannotHold) {
  TempFolder folder;
  const auto ini = folder / "t.ini";
  WriteAll(ini, "[S]\nk=1\n");
  ASSERT_TRUE(IniWrite(ini, "S", "j", "2"));
  ASSERT_TRUE(IniWrite(ini, "T", "k", "3"));
  EXPECT_EQ(ReadAll(ini), "[S]\nk=1\nj=2\n[T]\nk=3\n");

  EXPECT_FALSE(IniWrite(ini, "S", "k", "two\r\nlines"));
  EXPECT_FALSE(IniWrite(ini, "S", "k=x", "1"));
  EXPECT_FALSE(IniWrite(ini, "S]", "k", "1"));
  EXPECT_FALSE(IniWrite(ini, "", "k", "1"));
  EXPECT_FALSE(IniWrite(ini, "S", " ", "1"));
  EXPECT_EQ(ReadAll(ini), "[S]\nk=1\nj=2\n[T]\nk=3\n");

  // A byte order mark before the first section stays and does not hide it.
  WriteAll(ini, "\xEF\xBB\xBF[S]\r\nk=1\r\n");
  EXPECT_EQ(IniRead(ini, "S", "k", "d"), "1");
  ASSERT_TRUE(IniWrite(ini, "S", "k", "2"));
  EXPECT_EQ(ReadAll(ini), "\xEF\xBB\xBF[S]\r\nk=2\r\n");

  EXPECT_FALSE(IniWrite(folder / "none" / "t.ini", "S", "k", "1"));
  EXPECT_FALSE(IniWrite(folder.path(), "S", "k", "1"));  // a folder, not a file
}

}  // namespace
}  // namespace kestrel
