#include "app/settings/main_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <tuple>

#include "app/settings/ini_file.h"
#include "engine/memory_settings.h"
#include "engine/settings_section.h"
#include "services/theme_choice.h"
#include "tests/settings/temp_folder.h"

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;

constexpr char kFreshFile[] =
    "[Main Settings]\r\n"
    "Group 1 Color=16711680\r\n"
    "Group 2 Color=255\r\n"
    "Group 3 Color=16711935\r\n"
    "ShowTape=1\r\n"
    "ShowStatusBar=1\r\n"
    "ShowStopWatch=1\r\n"
    "Digit Grouping=1\r\n"
    "Decimal Setting1=10\r\n"
    "Decimal Setting2=10\r\n"
    "Auto Decimal=0\r\n"
    "TaxRate=0\r\n"
    "LT10Key=0\r\n"
    "TopMost=0\r\n"
    "CalcMode=0\r\n";

TEST(LoadMainSettings, FirstStartWritesEveryKeyInOrder) {
  TempFolder folder;
  IniSettings ini(folder.File());
  const MainSettings loaded = LoadMainSettings(ini);
  EXPECT_EQ(ReadBytes(folder.File()), kFreshFile);
  // Every default, the memory banks empty.
  EXPECT_EQ(loaded, MainSettings{});
  EXPECT_THAT(loaded.groupColors, ::testing::ElementsAre(16711680, 255, 16711935));

  // The second start finds nothing to change.
  LoadMainSettings(ini);
  EXPECT_EQ(ReadBytes(folder.File()), kFreshFile);
}

struct Normalisation {
  const char* key;
  const char* stored;
  const char* writtenBack;
};

class LoadMainSettingsNormalises : public ::testing::TestWithParam<Normalisation> {};

TEST_P(LoadMainSettingsNormalises, AndWritesBack) {
  TempFolder folder;
  IniSettings ini(folder.File());
  WriteBytes(folder.File(), std::string("[Main Settings]\r\n") + GetParam().key + "=" + GetParam().stored + "\r\n");
  LoadMainSettings(ini);
  EXPECT_EQ(ini.Read("Main Settings", GetParam().key, "missing"), GetParam().writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadMainSettingsNormalises,
    ::testing::Values(Normalisation{"Group 1 Color", "255", "255"}, Normalisation{"Group 1 Color", "1.6e3", "1600"},
                      Normalisation{"Group 2 Color", "abc", "0"}, Normalisation{"Group 3 Color", " 42px", "42"},
                      Normalisation{"Group 1 Color", "2.5", "2"}, Normalisation{"Group 1 Color", "3.5", "4"},
                      Normalisation{"Group 1 Color", "-7", "-7"},
                      Normalisation{"Group 1 Color", "99999999999", "2147483647"},
                      Normalisation{"Group 2 Color", "-1e4000", "-2147483648"},
                      Normalisation{"Group 3 Color", "1e5000", "2147483647"}, Normalisation{"ShowTape", "2", "2"},
                      Normalisation{"ShowStatusBar", "0", "0"}, Normalisation{"ShowStopWatch", "", "0"},
                      Normalisation{"Digit Grouping", "abc", "0"}, Normalisation{"Digit Grouping", "2", "1"},
                      Normalisation{"Digit Grouping", "-1", "1"}, Normalisation{"Decimal Setting1", "20", "10"},
                      Normalisation{"Decimal Setting1", "13", "13"}, Normalisation{"Decimal Setting1", "300", "10"},
                      Normalisation{"Decimal Setting2", "7", "7"}, Normalisation{"Decimal Setting2", "11", "10"},
                      Normalisation{"Auto Decimal", "1", "1"}, Normalisation{"Auto Decimal", "5", "0"},
                      Normalisation{"TaxRate", "8.250", "8.25"}, Normalisation{"TaxRate", "7.123456789", "7.123457"},
                      Normalisation{"TaxRate", "tax", "0"}, Normalisation{"TaxRate", "1e300", "3.402823E+38"},
                      Normalisation{"LT10Key", "1", "1"}, Normalisation{"TopMost", "7", "7"},
                      Normalisation{"CalcMode", "1.4", "1"}));

TEST(LoadMainSettings, ReturnsNormalisedValues) {
  TempFolder folder;
  IniSettings ini(folder.File());
  WriteBytes(folder.File(),
             "[main settings]\n"
             "group 1 color=255\n"
             "SHOWTAPE=2\n"
             "Decimal Setting1=12\n"
             "Decimal Setting2=7\n"
             "Digit Grouping=0\n"
             "TaxRate=8.25\n"
             "CalcMode=1\n");
  const MainSettings loaded = LoadMainSettings(ini);
  MainSettings expected;
  expected.groupColors[0] = 255;
  expected.showTape = 2;
  expected.engine.displayMode = 12;
  expected.engine.decimalSetting = 7;
  expected.engine.digitGrouping = false;
  expected.engine.taxRate = 8.25f;
  expected.engine.calcMode = 1;
  EXPECT_EQ(loaded, expected);
}

TEST(LoadMainSettings, ReadsTheMemoryBanksWithoutWritingThem) {
  TempFolder folder;
  IniSettings ini(folder.File());
  const std::string memory = "[Memory]\r\nM1=12.50\r\nM1v=12.5\r\nM2v= -3E+2x\r\n";
  WriteBytes(folder.File(), memory);
  const MainSettings loaded = LoadMainSettings(ini);
  EXPECT_EQ(loaded.engine.banks, (MemoryBanks{{"12.50", ""}, {12.5L, -300.0L}}));
  EXPECT_EQ(ReadBytes(folder.File()), memory + std::string(kFreshFile));
}

TEST(LoadMainSettings, ReadsTheRoundingRuleWithoutWritingIt) {
  for (const auto& [text, rule] : {std::pair{"Down", RoundingRule::kTowardZero},
                                   {"up", RoundingRule::kAwayFromZero},
                                   {"54", RoundingRule::kHalfEven},
                                   {"5/4", RoundingRule::kHalfEven},
                                   {"", RoundingRule::kHalfEven}}) {
    TempFolder folder;
    IniSettings ini(folder.File());
    const std::string file = std::string("[Main Settings]\r\nRounding=") + text + "\r\n";
    WriteBytes(folder.File(), file);
    EXPECT_EQ(LoadMainSettings(ini).engine.rounding, rule) << text;
    EXPECT_EQ(ini.Read("Main Settings", "Rounding", "<none>"), text);
  }
}

TEST(LoadMainSettings, ReadsTheGrandTotalWithoutWritingIt) {
  for (const auto& [switchText, valueText, on, value] : {std::tuple{"1", "1234.5", true, 1234.5L},
                                                         {"", "-2E+3x", false, -2000.0L},
                                                         {"2", "", false, 0.0L},
                                                         {"1", "nan", true, 0.0L}}) {
    TempFolder folder;
    IniSettings ini(folder.File());
    WriteBytes(folder.File(),
               std::string("[Main Settings]\r\nGrandTotal=") + switchText + "\r\n[Memory]\r\nGT=" + valueText + "\r\n");
    const EngineSettings loaded = LoadMainSettings(ini).engine;
    EXPECT_EQ(loaded.grandTotalOn, on) << switchText;
    EXPECT_EQ(loaded.grandTotal, Exact<Real>(value)) << valueText;
    EXPECT_EQ(ini.Read("Main Settings", "GrandTotal", "<none>"), switchText);
    EXPECT_EQ(ini.Read("Memory", "GT", "<none>"), valueText);
  }
}

TEST(LoadMainSettings, LeavesTheOtherSectionsAlone) {
  TempFolder folder;
  IniSettings ini(folder.File());
  const std::string others =
      "[Loan Settings]\nName1=House\nInterest1=8.25\n[Area Settings]\nLength=12\n"
      "; junk follows\n\x01\x02=\xFF\n[Volume Settings]\nHeight=3\n";
  WriteBytes(folder.File(), others + "[Main Settings]\nTopMost=1\n");
  LoadMainSettings(ini);
  const std::string after = ReadBytes(folder.File());
  EXPECT_EQ(after.substr(0, others.size()), others);
  EXPECT_THAT(after, ::testing::EndsWith("CalcMode=0\n"));
  EXPECT_EQ(ini.Read("Main Settings", "TopMost", ""), "1");
}

TEST(ReadShowFlag, ReadsAndWritesBack) {
  TempFolder folder;
  IniSettings ini(folder.File());
  EXPECT_EQ(ReadShowFlag(ini, "ShowTape"), 1);
  EXPECT_EQ(ReadBytes(folder.File()), "[Main Settings]\r\nShowTape=1\r\n");
  ini.Write("Main Settings", "ShowTape", "0");
  EXPECT_EQ(ReadShowFlag(ini, "ShowTape"), 0);
}

// In-memory settings that also remember the order of the writes.
class RecordedSettings : public MemorySettings {
 public:
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    written.emplace_back(key);
    MemorySettings::Write(section, key, value);
  }
  std::vector<std::string> written;
};

constexpr SettingKey kVolumeKeys[] = {{"Metric", "0"}, {"Length"}, {"Width"}, {"Depth"}, {"Result"},
                                      {"L1"},          {"W1"},     {"H1"},    {"R1"}};
constexpr SectionSchema kVolumeSection{"Volume Settings", kVolumeKeys};

TEST(SettingsSection, ReadOnOpenWrittenInOrderRemovedOnClear) {
  RecordedSettings settings;
  settings.values[{"Volume Settings", "Length"}] = "12";
  settings.values[{"Main Settings", "TopMost"}] = "1";
  SectionValues fields = SectionValues::Read(settings, kVolumeSection);
  EXPECT_EQ(fields.Get("Length"), "12");
  EXPECT_EQ(fields.Get("Metric"), "0");
  EXPECT_EQ(fields.Get("Width"), "");
  EXPECT_TRUE(fields.Set("Result", "1.2346"));
  EXPECT_FALSE(fields.Set("Area", "5"));
  EXPECT_EQ(fields.Get("Area"), "");

  fields.Write(settings);
  EXPECT_EQ(settings.written,
            (std::vector<std::string>{"Metric", "Length", "Width", "Depth", "Result", "L1", "W1", "H1", "R1"}));
  EXPECT_EQ(settings.Read("Volume Settings", "Result", ""), "1.2346");

  ClearSection(settings, kVolumeSection);
  EXPECT_EQ(SectionValues::Read(settings, kVolumeSection).Get("Length"), "");
  EXPECT_EQ(settings.Read("Main Settings", "TopMost", ""), "1");
}

TEST(SettingsSection, NumberedSlotsKeepTheirOwnKeys) {
  static constexpr SettingKey kProfileKeys[] = {{"Name"}, {"Principal"}, {"CompoundingPeriods", "2"}};
  static constexpr SectionSchema kLoanSection{"Loan Settings", kProfileKeys};
  MemorySettings settings;
  SectionValues third = SectionValues::Read(settings, kLoanSection, "3");
  third.Set("Name", "House");
  third.Set("CompoundingPeriods", "5");
  third.Write(settings);
  EXPECT_EQ(settings.Read("Loan Settings", "Name3", ""), "House");
  EXPECT_EQ(SectionValues::Read(settings, kLoanSection, "3").Get("CompoundingPeriods"), "5");
  EXPECT_EQ(SectionValues::Read(settings, kLoanSection, "4").Get("CompoundingPeriods"), "2");
  EXPECT_EQ(SectionValues::Read(settings, kLoanSection, "4").Get("Name"), "");
}

TEST(ThemeSetting, EachChoiceIsKeptAsItsTextAndAnythingElseFollowsTheSystem) {
  for (const ThemeChoice choice : {ThemeChoice::kSystem, ThemeChoice::kLight, ThemeChoice::kDark}) {
    EXPECT_EQ(ThemeChoiceFromText(ThemeChoiceText(choice)), choice);
  }
  for (const char* text : {"", "dark mode", "1", "Darkness", "System "}) {
    EXPECT_EQ(ThemeChoiceFromText(text), ThemeChoice::kSystem) << text;
  }
  for (const bool systemDark : {false, true}) {
    EXPECT_EQ(DrawsDark(ThemeChoice::kSystem, systemDark, false), systemDark);
    EXPECT_FALSE(DrawsDark(ThemeChoice::kLight, systemDark, false));
    EXPECT_TRUE(DrawsDark(ThemeChoice::kDark, systemDark, false));
    // High contrast draws in the user's own colours, whatever was chosen.
    for (const ThemeChoice choice : {ThemeChoice::kSystem, ThemeChoice::kLight, ThemeChoice::kDark}) {
      EXPECT_FALSE(DrawsDark(choice, systemDark, true));
    }
  }
}

TEST(PlainSingleText, WritesUpToSevenSignificantDigits) {
  // clang-format off
  const std::pair<float, const char*> cases[] = {
      {8.25f, "8.25"},          {0.0f, "0"},           {-0.0f, "0"},
      {0.5f, ".5"},             {-0.125f, "-.125"},    {100.0f, "100"},
      {0.1f, ".1"},             {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
      {1e-7f, ".0000001"},      {1.5e-7f, "1.5E-07"},  {1e20f, "1E+20"},
      {FLT_MAX, "3.402823E+38"}, {-FLT_MAX, "-3.402823E+38"}, {7.1234567f, "7.123456"},
  };
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(PlainSingleText(value), text) << value;
}

}  // namespace
}  // namespace tallix
