// The main window started on a settings file as it finds it: stored values,
// values out of range, any bytes at all, a file too large to rewrite, and
// temporaries left behind by an earlier write.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/settings/settings_io.h"
#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "ui/caption_colors.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

TEST_F(MainWindowTest, StartsFromTheStoredSettings) {
  Open(
      "[Main Settings]\r\nGroup 1 Color=255\r\nShowTape=2\r\nShowStopWatch=0\r\nDecimal Setting1=12\r\n"
      "Decimal Setting2=7\r\nLT10Key=1\r\nTopMost=1\r\nDigit Grouping=0\r\nAuto Decimal=1\r\n"
      "[Memory]\r\nM1=12.50\r\nM1v=12.5\r\n");
  EXPECT_EQ(ui::GetCaptionGroupColor(1), 255u);
  EXPECT_EQ(Setting("ShowTape"), "2");
  EXPECT_FALSE(Visible(ids::kTapeList));
  EXPECT_FALSE(Checked(IDM_SHOW_TAPE));
  EXPECT_EQ(ClientSize().cx, 276);
  EXPECT_EQ(ClientSize().cy, 271);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionBin), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Setting("Decimal Setting1"), "12");
  for (int item = IDM_FLOATING; item <= IDM_DECIMAL_4; ++item) EXPECT_FALSE(Checked(item)) << item;
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));
  EXPECT_TRUE(Visible(ids::kLaptopLabel));
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  EXPECT_EQ(Text(ids::kMemoryPane), " M1 = 12.50");
  // Binary: only 0 and 1 are keys.
  EXPECT_TRUE(IsWindowEnabled(Item(ids::kKey1)));
  EXPECT_FALSE(IsWindowEnabled(Item(ids::kKey1 + 1)));
  ui::SetCaptionGroupColor(1, 16711680);
}

TEST_F(MainWindowTest, OutOfRangeSettingsAreReplacedAtStart) {
  Open("[Main Settings]\r\nDecimal Setting1=20\r\nDigit Grouping=abc\r\nShowStatusBar=-4\r\n");
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
  EXPECT_EQ(Setting("Digit Grouping"), "0");
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_EQ(ClientSize().cy, 271);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionDec), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindowTest, StartsOnAnyBytesInTheSettingsFile) {
  std::string noise;
  unsigned seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(seed >> 16));
  }
  const std::string files[] = {
      noise,
      "[Main Settings]\r\nGroup 1 Color=1e400\r\nGroup 2 Color=-99999999999999999999\r\nTaxRate=nan\r\n"
      "Decimal Setting2=-1\r\nCalcMode=7\r\nShowTape=" +
          std::string(5000, '9') + "\r\n[Memory]\r\nM1=" + std::string(3000, 'x') + "\r\nM1v=1e99999\r\n",
      std::string("\xEF\xBB\xBF[Main Settings]\nShowTape\n=\n[[\n\0\0\0", 40),
  };
  for (const std::string& bytes : files) {
    Open(bytes);
    EXPECT_TRUE(IsWindow(window_));
    Click(ids::kKey1 + 2);
    Click(ids::kKeyPlus);
    Click(ids::kKeyEquals);
    EXPECT_FALSE(Tape().empty());
    Close();
  }
}

TEST_F(MainWindowTest, ASettingsFileTooLargeToRewriteIsSaidOnceAndLeftAlone) {
  std::string ini = "[Main Settings]\r\nDecimal Setting1=12\r\n[Filler]\r\n";
  while (ini.size() <= kMaxSettingsFileBytes) ini += "k=" + std::string(1000, 'x') + "\r\n";
  MessageBoxAnswerer answerer(IDOK);
  Open(ini);
  Pump();
  ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
  EXPECT_NE(MessageBoxAnswerer::texts()[0].find(L"is larger than"), std::wstring::npos);
  // Started on the settings at its top (binary), changed nothing on disk.
  EXPECT_EQ(SendMessageW(Item(ids::kOptionBin), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(window_, WM_COMMAND, IDM_DIGIT_GROUPING, 0);
  Pump();
  EXPECT_EQ(Ini(), ini);
}

TEST_F(MainWindowTest, StartUpRemovesOnlyStaleTemporariesOfTheSettingsFile) {
  const std::string stale = IniPath() + ".4242.7.tmp", fresh = IniPath() + ".4243.1.tmp";
  const std::string other = IniPath() + ".backup.tmp";
  for (const std::string& path : {stale, fresh, other}) WriteBytes(path, "[Main Settings]\r\n");
  for (const std::string& path : {stale, other}) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER old{{now.dwLowDateTime, now.dwHighDateTime}};
    old.QuadPart -= 3600ull * 10000000ull;  // an hour ago
    const FILETIME then{old.LowPart, old.HighPart};
    SetFileTime(file, nullptr, nullptr, &then);
    CloseHandle(file);
  }
  Open();
  EXPECT_EQ(GetFileAttributesA(stale.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(other.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tallix::main_window_gui
