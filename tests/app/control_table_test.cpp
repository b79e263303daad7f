// The main window's control table on its own: identifiers, keys, captions and places.
#include "app/main_window/control_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/main_window/control_ids.h"
#include "side_window/wide_text.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

bool IsKeyButton(const ui::ControlSpec& row) { return std::wstring(row.className) == ui::kXPButtonClass; }

TEST(ControlTable, IdentifiersAreUniqueAndKeysAreComplete) {
  std::set<int> seen;
  int keys = 0;
  std::set<Key> keyNames;
  for (const ui::ControlSpec& c : MainWindowControls()) {
    EXPECT_TRUE(seen.insert(c.id).second) << c.id;
    EXPECT_EQ(FindControl(c.id), &c);
    if (IsKeyButton(c)) {
      ++keys;
      ASSERT_TRUE(KeyOfControl(c.id).has_value()) << c.id;
      EXPECT_TRUE(keyNames.insert(*KeyOfControl(c.id)).second) << c.id;
    }
  }
  EXPECT_EQ(keys, 47);
  // Every keypad name of the engine has a button, the option buttons included.
  EXPECT_EQ(static_cast<int>(keyNames.size()) + 4, kKeyCount);
  for (int id = ids::kOptionDec; id <= ids::kOptionOct; ++id) EXPECT_TRUE(KeyOfControl(id).has_value()) << id;
  EXPECT_FALSE(KeyOfControl(ids::kDisplay).has_value());
  EXPECT_EQ(FindControl(1010), nullptr);
  EXPECT_EQ(FindControl(1016), nullptr);
}

TEST(ControlTable, DigitKeysCarryTheirValue) {
  for (int n = 1; n <= 9; ++n) {
    const ui::ControlSpec* c = FindControl(ids::kKey1 + n - 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::wstring(c->text), std::wstring(1, static_cast<wchar_t>(L'0' + n)));
    EXPECT_EQ(DigitValue(*KeyOfControl(c->id)), n);
  }
  for (int n = 10; n <= 15; ++n) {
    const ui::ControlSpec* c = FindControl(ids::kKeyA + n - 10);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::wstring(c->text), std::wstring(1, static_cast<wchar_t>(L'A' + n - 10)));
    EXPECT_EQ(DigitValue(*KeyOfControl(c->id)), n);
  }
  EXPECT_EQ(DigitValue(*KeyOfControl(ids::kKey0)), 0);
}

TEST(ControlTable, KeyCaptionsMatchTheEngineNames) {
  for (const ui::ControlSpec& c : MainWindowControls()) {
    if (!IsKeyButton(c) || c.id == ids::kKeyTransfer) continue;
    EXPECT_EQ(KeyFromCaption(Cp1252FromWide(c.text)), KeyOfControl(c.id)) << c.id;
  }
  EXPECT_EQ(Cp1252FromWide(FindControl(ids::kKeyTimes)->text), "\xD7");
  EXPECT_EQ(Cp1252FromWide(FindControl(ids::kKeyDivide)->text), "\xF7");
}

bool Overlap(const ui::ControlSpec& a, const ui::ControlSpec& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(ControlTable, KeysFitTheDesignAreaWithoutOverlapping) {
  const auto controls = MainWindowControls();
  const auto onKeypad = [](const ui::ControlSpec& c) { return IsKeyButton(c) || c.id == ids::kTimeDisplay; };
  for (const ui::ControlSpec& a : controls) {
    if (!onKeypad(a)) continue;
    EXPECT_GE(a.x, 0);
    EXPECT_LE(a.x + a.width, 276) << a.id << " runs into the tape";
    EXPECT_LE(a.y + a.height, 270) << a.id << " runs into the status bar";
    for (const ui::ControlSpec& b : controls) {
      if (&a < &b && onKeypad(b)) {
        EXPECT_FALSE(Overlap(a, b)) << a.id << " and " << b.id;
      }
    }
  }
}

TEST(ControlTable, TooltipsNameExistingKeys) {
  int count = 0;
  for (const TooltipSpec& t : MainWindowTooltips()) {
    const ui::ControlSpec* c = FindControl(t.id);
    ASSERT_NE(c, nullptr) << t.id;
    EXPECT_TRUE(IsKeyButton(*c));
    EXPECT_LE(std::wstring(t.text).size(), 80u);
    ++count;
  }
  EXPECT_EQ(count, 21);
  EXPECT_STREQ(MainWindowTooltips().front().text, L"Always On Top");
  EXPECT_EQ(MainWindowTooltips().back().id, ids::kKeyReset);
}

}  // namespace
}  // namespace tallix
