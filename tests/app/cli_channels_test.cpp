// kestrel-cli export and import: channel tables in and out of data files.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/processes.h"
#include "support/temp_files.h"

namespace kestrel::testing {
namespace {

std::string ProgrammedLine(const std::string& file) {
  return Cli({"check", file}).out.substr(std::string("version: 1.03\n").size());
}

TEST(KestrelCliChannels, ExportAndImportWriteWholeFilesOrNothing) {
  TempFolder dir;
  const std::string base = dir.Path("base.dat"), table = dir.Path("base.csv");
  ASSERT_EQ(Cli({"new", "-o", base}).exit_status, 0);
  const ProgramResult exported = Cli({"export", base, "-o", table});
  EXPECT_EQ(exported.exit_status, 0) << exported.err;
  EXPECT_EQ(exported.out, table + ": 89 channels exported\n");
  EXPECT_TRUE(ReadAll(table).starts_with(
      "No.,Name,Frequency,Mode,ToneSelect,TSQ,RevTSQ,DCS,DCSPolarity,Scrambler,Train,Step\r\n"
      "800,VOA,6.03000,AM,VFO,,,,,,,5\r\n"));

  const ProgramResult common = Cli({"export", base, "-o", "-", "--layout", "common"});
  EXPECT_TRUE(common.out.starts_with("Location,Name,Frequency,Duplex,")) << common.err;
  EXPECT_NE(common.out.find("\r\n800,VOA,6.03000,"), std::string::npos);
  EXPECT_EQ(Cli({"export", base, "-o", table, "--layout", "chirp"}).exit_status, 64);

  const std::string list = dir.Path("list.csv"), out = dir.Path("out.dat");
  WriteAll(list, "Location,Name,Frequency,Mode\r\n1,Longname,145.5,FM\r\n");
  const ProgramResult imported = Cli({"import", list, "-o", out, "--into", base});
  EXPECT_EQ(imported.exit_status, 0);
  EXPECT_EQ(imported.out, out + ": 1 channel imported\n");
  EXPECT_EQ(imported.err, "kestrel-cli: warning: " + list +
                              ", line 2, column Name: \"Longname\" is cut to \"Longna\": the "
                              "receiver keeps six characters\n");
  EXPECT_EQ(ProgrammedLine(out), "programmed channels: 90\n");
  ASSERT_EQ(Cli({"import", list, "-o", out, "--into", base, "--replace"}).exit_status, 0);
  EXPECT_EQ(ProgrammedLine(out), "programmed channels: 1\n");

  const std::string refused = dir.Path("refused.dat");
  WriteAll(list, "Location,Name,Frequency,Mode\r\n1,HF,14.2,USB\r\n800,VOA,6.03,AM\r\n");
  const std::string usb = list +
                          ", line 2, column Mode: USB is not a mode the receiver has: FM, "
                          "WFM or AM\n";
  const ProgramResult bad = Cli({"import", list, "-o", refused});
  EXPECT_EQ(bad.exit_status, 65);
  EXPECT_EQ(bad.err, "kestrel-cli: " + usb + "kestrel-cli: nothing written: " + list +
                         " has 1 problem; --skip-bad takes the rest\n");
  EXPECT_FALSE(std::filesystem::exists(refused));
  const ProgramResult rest = Cli({"import", list, "-o", out, "--into", base, "--skip-bad"});
  EXPECT_EQ(rest.exit_status, 0);
  EXPECT_EQ(rest.err, "kestrel-cli: left out: " + usb +
                          "kestrel-cli: 2 rows: 1 channel imported, 1 left out, 1 programmed "
                          "channel overwritten\n");
  EXPECT_EQ(Cli({"import", list, "-o", out, "--at", "1000"}).exit_status, 64);
  EXPECT_EQ(Cli({"export", dir.Path("missing.dat"), "-o", table}).exit_status, 65);
  EXPECT_EQ(Cli({"import", list, "--into", dir.Path("missing.dat"), "-o", out}).exit_status, 65);
  EXPECT_EQ(Cli({"import", list}).exit_status, 64);
}

}  // namespace
}  // namespace kestrel::testing
