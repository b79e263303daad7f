// The start-up's batch of settings calls: one read, at most one replace, and
// the same file in the end as the calls made key by key.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/settings/ini_file.h"
#include "app/settings/main_settings.h"
#include "tests/settings/temp_folder.h"

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;

struct StartFile {
  const char* name;
  const char* bytes;  // nullptr: no file
};

class BatchedStartUp : public ::testing::TestWithParam<StartFile> {};

TEST_P(BatchedStartUp, LeavesTheFileKeyByKeyCallsLeave) {
  TempFolder single, batched;
  if (GetParam().bytes) {
    WriteBytes(single.File(), GetParam().bytes);
    WriteBytes(batched.File(), GetParam().bytes);
  }
  IniSettings ini(single.File());
  const MainSettings expected = LoadMainSettings(ini);

  IniSettingsBatch batch(batched.File());
  const MainSettings loaded = LoadMainSettings(batch);
  EXPECT_TRUE(batch.Commit());

  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(ReadBytes(batched.File()), ReadBytes(single.File()));
  EXPECT_EQ(batched.EntryCount(), single.EntryCount());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchedStartUp,
    ::testing::Values(
        StartFile{"Missing", nullptr}, StartFile{"Empty", ""},
        StartFile{"OutOfRange", "[Main Settings]\r\nDecimal Setting1=20\r\nShowTape=2\r\nTaxRate=8.250\r\n"},
        StartFile{"LineFeedsAndOtherSections",
                  "; kept\n[Loan Settings]\nName1=House\n[main settings]\nCALCMODE=1.4\n\x01junk\n[Memory]\nM1=12.50\n"
                  "M1v=12.5\n"},
        StartFile{
            "DuplicateSectionsAndQuotes",
            "[Main Settings]\r\nTopMost=\"1\"\r\n[Area Settings]\r\nLength=3\r\n[Main Settings]\r\nTopMost=0\r\n"},
        StartFile{"NoLastLineEnd", "[Main Settings]\r\nGroup 1 Color=255"}),
    [](const ::testing::TestParamInfo<StartFile>& info) { return std::string(info.param.name); });

TEST(IniSettingsBatch, HoldsChangesUntilCommit) {
  TempFolder folder;
  const std::string before = "[Memory]\r\nM1=1\r\n";
  WriteBytes(folder.File(), before);
  IniSettingsBatch batch(folder.File());
  batch.Write("Memory", "M1", "2\r\nM2=3");
  batch.Write("Main Settings", "TopMost", "1");
  batch.Write("Bad]Section", "Key", "x");
  batch.Write("Main Settings", "Bad=Key", "x");
  EXPECT_EQ(batch.Read("memory", "m1", "none"), "2  M2=3");
  EXPECT_EQ(batch.Read("Main Settings", "TopMost", "0"), "1");
  EXPECT_EQ(ReadBytes(folder.File()), before);

  EXPECT_TRUE(batch.Commit());
  EXPECT_EQ(ReadBytes(folder.File()), "[Memory]\r\nM1=2  M2=3\r\n[Main Settings]\r\nTopMost=1\r\n");
  // Committing again finds nothing new to write.
  EXPECT_TRUE(batch.Commit());
  EXPECT_EQ(folder.EntryCount(), 1u);
}

// Another Tallix window may write between the batch's read and its commit.
TEST(IniSettingsBatch, KeepsWhatOthersWroteSinceItRead) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file, "[Main Settings]\r\nTopMost=0\r\n[Area Settings]\r\nLength=1\r\n");
  IniSettingsBatch batch(file);
  LoadMainSettings(batch);
  batch.Write("Memory", "M1", "5");
  batch.DeleteSection("Area Settings");
  ASSERT_TRUE(WriteSetting(file, "Main Settings", "TopMost", "1"));
  ASSERT_TRUE(WriteSetting(file, "Loan Settings", "Name1", "Boat"));
  EXPECT_TRUE(batch.Commit());
  EXPECT_EQ(ReadSetting(file, "Main Settings", "TopMost", ""), "1");
  EXPECT_EQ(ReadSetting(file, "Loan Settings", "Name1", ""), "Boat");
  EXPECT_EQ(ReadSetting(file, "Memory", "M1", ""), "5");
  EXPECT_EQ(ReadSetting(file, "Main Settings", "CalcMode", ""), "0");
  EXPECT_EQ(ReadSetting(file, "Area Settings", "Length", "gone"), "gone");
}

TEST(IniSettingsBatch, ReadsLikeTheFileFunctions) {
  TempFolder folder;
  const std::string longValue(600, 'x');
  WriteBytes(folder.File(), "[A]\nLong=" + longValue + "\nNul=ab" + std::string(1, '\0') + "cd\n");
  IniSettingsBatch batch(folder.File());
  for (const char* key : {"Long", "Nul", "Missing"}) {
    EXPECT_EQ(batch.Read("A", key, "fallback"), ReadSetting(folder.File(), "A", key, "fallback")) << key;
  }
  EXPECT_EQ(batch.Read("A", "Long", "").size(), kMaxSettingLength);
}

TEST(IniSettingsBatch, DeletesSections) {
  TempFolder folder;
  WriteBytes(folder.File(), "[Area Settings]\nLength=1\n[Memory]\nM1=5\n");
  IniSettingsBatch batch(folder.File());
  batch.DeleteSection("area settings");
  EXPECT_EQ(batch.Read("Area Settings", "Length", "gone"), "gone");
  EXPECT_TRUE(batch.Commit());
  EXPECT_EQ(ReadBytes(folder.File()), "[Memory]\nM1=5\n");
}

TEST(IniSettingsBatch, NeverReplacesAFileItCouldNotRead) {
  TempFolder folder;
  // A folder where the file should be cannot be read as one.
  std::filesystem::create_directory(settings_test::FromUtf8(folder.File()));
  IniSettingsBatch batch(folder.File());
  EXPECT_EQ(batch.Read("Main Settings", "TopMost", "0"), "0");
  batch.Write("Main Settings", "TopMost", "1");
  EXPECT_FALSE(batch.Commit());
  EXPECT_TRUE(std::filesystem::is_directory(settings_test::FromUtf8(folder.File())));
  EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace tallix
