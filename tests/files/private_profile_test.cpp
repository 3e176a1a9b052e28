#include "files/private_profile.h"

#include <gtest/gtest.h>

#include "support/temp_files.h"

namespace kestrel {
namespace {

using namespace testing;

TEST(PrivateProfile, ReadsLikeThePlatformReader) {
  TempFolder folder;
  const auto ini = folder / "t.ini";
  EXPECT_EQ(IniRead(ini, "S", "k", "dflt"), "dflt");  // no file
  WriteAll(ini,
           "top=before any section\r\n[ First ]\r\n  Key =   spaced value  \r\n"
           "key=second of the same name\r\nquoted=\"in quotes\"\r\nempty=\r\n"
           "; comment=not a key\r\nlong=" +
               std::string(300, 'x') +
               "\r\n"
               "[second]\nkey=lf only\n[FIRST]\r\nother=a later section of that name\r\n");
  const auto read = [&](const char* section, const char* key) {
    return IniRead(ini, section, key, "d");
  };
  EXPECT_EQ(read("first", "KEY"), "spaced value");
  EXPECT_EQ(read("First", "quoted"), "in quotes");
  EXPECT_EQ(read("First", "empty"), "");
  EXPECT_EQ(read("First", "comment"), "d");
  EXPECT_EQ(read("First", "long"), std::string(249, 'x'));
  EXPECT_EQ(read("Second", "key"), "lf only");
  EXPECT_EQ(read("First", "other"), "d");
  EXPECT_EQ(read("First", "top"), "d");
  EXPECT_EQ(read("Third", "key"), "d");
  WriteAll(ini, "\xEF\xBB\xBF[S]\r\nk=1\r\n");  // a byte order mark does not hide the section
  EXPECT_EQ(IniRead(ini, "S", "k", "d"), "1");
  ASSERT_TRUE(IniWrite(ini, "S", "k", "2"));
  EXPECT_EQ(ReadAll(ini), "\xEF\xBB\xBF[S]\r\nk=2\r\n");
}

TEST(PrivateProfile, WriteChangesOnlyTheOneLine) {
  TempFolder folder;
  const auto ini = folder / "t.ini";
  std::string expected =
      "; settings\r\n\r\n[Other]\r\nCOMport=7\r\n\r\n[com_settings]\r\n"
      "  ComPort =  4   \r\nExtra = keep  this \r\n\r\n[Last]\r\na=1";
  WriteAll(ini, expected);  // no line end at the end of the file
  // Section, key and value, and the text of the file the write replaces, by what.
  using Write = std::array<std::string, 5>;
  for (const auto& [section, key, value, old_text, new_text] : std::vector<Write>{
           {"COM_SETTINGS", "COMport", " 3", "  ComPort =  4   ", "  ComPort = 3"},
           // after the section's last line, before the blank line that ends it
           {"Com_Settings", "New", "v", "keep  this \r\n", "keep  this \r\nNew=v\r\n"},
           {"last", "b", "2", "a=1", "a=1\r\nb=2\r\n"},
           {"PRINT_SETTINGS", "Memory", " 1", "b=2\r\n",
            "b=2\r\n[PRINT_SETTINGS]\r\nMemory= 1\r\n"}}) {
    ASSERT_TRUE(IniWrite(ini, section, key, value)) << key;
    expected.replace(expected.find(old_text), old_text.size(), new_text);
    EXPECT_EQ(ReadAll(ini), expected) << key;
  }
  // clang-format off
  for (const auto& [section, key, value] : std::vector<std::array<std::string, 3>>{
           {"Last", "k", "two\r\nlines"}, {"Last", "k=x", "1"}, {"Last]", "k", "1"}, {"", "k", "1"},
           {"Last", " ", "1"}, {"Last\n", "k", "1"}, {"Last", "k\r", "1"}}) {
    // clang-format on
    EXPECT_FALSE(IniWrite(ini, section, key, value)) << section << key << value;
  }
  EXPECT_EQ(ReadAll(ini), expected);
  EXPECT_EQ(folder.Listing(), "t.ini");
  EXPECT_FALSE(IniWrite(folder / "none" / "t.ini", "S", "k", "1"));
  EXPECT_FALSE(IniWrite(folder.path(), "S", "k", "1"));  // a folder, not a file

  WriteAll(ini, "[S]\nk=1\n");  // new lines end as the file's lines do
  ASSERT_TRUE(IniWrite(ini, "S", "j", "2"));
  ASSERT_TRUE(IniWrite(ini, "T", "k", "3"));
  EXPECT_EQ(ReadAll(ini), "[S]\nk=1\nj=2\n[T]\nk=3\n");
}

}  // namespace
}  // namespace kestrel
