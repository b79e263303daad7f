// Clicks on the main window's keys and number system buttons, and the View
// menu: each reaches the engine and the settings file as it should.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/keypad.h"
#include "resources/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "ui/form_state.h"
#include "ui/xp_button.h"

namespace tallix::main_window_gui {
namespace {

// The settings a reference engine reads and writes, kept in memory.
class MapSettings : public SettingsPort {
 public:
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override {
    const auto it = values.find(std::string(section) + "/" + std::string(key));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    values[std::string(section) + "/" + std::string(key)] = value;
  }
  void DeleteSection(std::string_view) override {}
  std::map<std::string, std::string> values;
};

// The window must run every key exactly as the engine does on its own: the
// same display, panes and tape as a reference engine pressing the same keys.
TEST_F(MainWindowTest, EveryKeyReachesTheEngine) {
  const std::vector<std::vector<std::string>> sequences = {
      {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
      {"7", "+", "5", "="},
      {"9", "\xD7", "3", "\xF7", "2", "=", "-", "4", "="},
      {"5", "0", "%"},
      {"2", "0", "0", "+", "1", "0", "%"},
      {"1", ".", "5", "+/-", "Back", "CE", "4"},
      {"8", "MS", "2nd", "6", "M+", "MR", "MC", "2nd", "MR"},
      {"1", "0", "0", "+Tax", "=", "2", "0", "0", "Chg"},
      {"4", "1/x", "Feed", "Clear"},
      {"3", "+", "CT", "5"},
  };
  for (const auto& keys : sequences) {
    Open();
    MessageBoxAnswerer yes(IDYES);
    BasicEngineHost host;
    MapSettings settings;
    Engine reference(host, settings);
    reference.Start(EngineSettings{});
    std::string trace;
    for (const std::string& key : keys) {
      trace += key + " ";
      ClickCaption(key);
      reference.PressKey(*KeyFromCaption(key));
      ASSERT_EQ(Text(ids::kDisplay), host.display) << trace;
      ASSERT_EQ(Tape(), host.tape) << trace;
      ASSERT_EQ(Text(ids::kItemsPane), host.items) << trace;
      ASSERT_EQ(Text(ids::kAveragePane), host.average) << trace;
      ASSERT_EQ(Text(ids::kMemoryPane), host.memory) << trace;
      ASSERT_EQ(Visible(ids::kMem2Label), host.bank2Shown) << trace;
      ASSERT_EQ(GetFocus(), Item(ids::kKeySink)) << trace;
    }
    Close();
    // Memory banks persist: every sequence starts afresh, like the reference.
    std::filesystem::remove(settings_test::FromUtf8(IniPath()));
  }
}

TEST_F(MainWindowTest, MemoryKeysWriteTheirBanks) {
  Open();
  Click(ids::kKey1 + 8);
  Click(ids::kKeyMS);
  EXPECT_EQ(Setting("M1"), "9");
  EXPECT_EQ(Setting("M1v"), "9");
}

TEST_F(MainWindowTest, ClearTapeAsksFirst) {
  Open();
  Click(ids::kKey1);
  Click(ids::kKeyPlus);
  {
    MessageBoxAnswerer no(IDNO);
    Click(ids::kKeyCT);
    ASSERT_EQ(MessageBoxAnswerer::texts().size(), 1u);
    EXPECT_EQ(MessageBoxAnswerer::texts()[0].rfind(L"Clear tape history?", 0), 0u);
  }
  EXPECT_EQ(Tape().size(), 1u);
  MessageBoxAnswerer yes(IDYES);
  Click(ids::kKeyCT);
  EXPECT_TRUE(Tape().empty());
}

TEST_F(MainWindowTest, NumberSystemButtonsSwitchTheKeypad) {
  Open();
  Click(ids::kOptionHex);
  EXPECT_EQ(SendMessageW(Item(ids::kOptionHex), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Setting("Decimal Setting1"), "11");
  for (int id = ids::kKeyA; id < ids::kKeyA + 6; ++id) {
    EXPECT_TRUE(IsWindowEnabled(Item(id)));
    Click(id);
  }
  EXPECT_EQ(Text(ids::kDisplay), "ABCDEF");
  EXPECT_EQ(Tape().back(), "(Hex)");
  Click(ids::kOptionDec);
  EXPECT_FALSE(IsWindowEnabled(Item(ids::kKeyA)));
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
}

TEST_F(MainWindowTest, ViewMenuChangesTheDecimalsAndIsIgnoredOutsideDecimal) {
  Open();
  Menu(IDM_DECIMAL_2);
  EXPECT_TRUE(Checked(IDM_DECIMAL_2));
  EXPECT_FALSE(Checked(IDM_FLOATING));
  EXPECT_EQ(Setting("Decimal Setting1"), "2");
  EXPECT_EQ(Setting("Decimal Setting2"), "2");
  EXPECT_EQ(Text(ids::kDisplay), "0.00");
  Menu(IDM_DIGIT_GROUPING);
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_EQ(Setting("Digit Grouping"), "0");
  Menu(IDM_AUTO_DECIMAL);
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));
  EXPECT_EQ(Setting("Auto Decimal"), "1");

  Click(ids::kOptionHex);
  const std::string before = Ini();
  for (int item : {IDM_DECIMAL_4, IDM_FLOATING, IDM_DIGIT_GROUPING, IDM_AUTO_DECIMAL}) Menu(item);
  EXPECT_EQ(Ini(), before);
  EXPECT_TRUE(Checked(IDM_DECIMAL_2));
  EXPECT_FALSE(Checked(IDM_DIGIT_GROUPING));
  EXPECT_TRUE(Checked(IDM_AUTO_DECIMAL));

  Click(ids::kOptionDec);
  Menu(IDM_FLOATING);
  EXPECT_EQ(Setting("Decimal Setting1"), "10");
  EXPECT_EQ(Setting("Decimal Setting2"), "10");
  EXPECT_TRUE(Checked(IDM_FLOATING));
}

TEST_F(MainWindowTest, AlwaysOnTopKeyTogglesTheTopmostBand) {
  Open();
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(Setting("TopMost"), "1");
  EXPECT_NE(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
  EXPECT_EQ(GetFocus(), Item(ids::kKeySink));
  EXPECT_EQ(GetWindow(ui::FormStateOf(window_)->tooltip, GW_OWNER), window_);
  Click(ids::kKeyAlwaysOnTop);
  EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(Setting("TopMost"), "0");
  EXPECT_EQ(ui::GetXPButtonInfo(Item(ids::kKeyAlwaysOnTop))->toggled, 0);
}

}  // namespace
}  // namespace tallix::main_window_gui
