// The main window's arithmetic without a window: layout, control table, pane texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/layout.h"
#include "app/main_window/status_texts.h"

namespace tallix {
namespace {

struct SizeCase {
  LayoutFlags flags;
  int width;
  int height;
};

TEST(PlanLayout, ClientSizeInEveryCombination) {
  const SizeCase cases[] = {
      {{1, 1, 1}, 507, 293}, {{1, 1, 0}, 507, 271}, {{1, 0, 0}, 507, 249}, {{1, 0, 1}, 507, 271},
      {{0, 1, 1}, 276, 293}, {{0, 1, 0}, 276, 271}, {{0, 0, 0}, 276, 249}, {{0, 0, 1}, 276, 271},
  };
  for (const auto& c : cases) {
    const LayoutPlan plan = PlanLayout(c.flags);
    EXPECT_EQ(plan.clientWidth, c.width) << c.flags.showTape << c.flags.showStatusBar << c.flags.showStopWatch;
    EXPECT_EQ(plan.clientHeight, c.height) << c.flags.showTape << c.flags.showStatusBar << c.flags.showStopWatch;
  }
}

TEST(PlanLayout, OnlyOneMeansShown) {
  for (long long odd : {0LL, 2LL, -1LL, 4294967297LL}) {
    const LayoutPlan plan = PlanLayout({odd, odd, odd});
    EXPECT_FALSE(plan.tapeShown) << odd;
    EXPECT_FALSE(plan.statusBarShown) << odd;
    EXPECT_FALSE(plan.stopwatchShown) << odd;
    EXPECT_EQ(plan.clientWidth, 276);
    EXPECT_EQ(plan.clientHeight, 249);
  }
}

TEST(PlanLayout, StopwatchBarMovesTheStatusBarAndResizesTheTape) {
  const LayoutPlan shown = PlanLayout({1, 1, 1});
  EXPECT_EQ(shown.barTop, 270);
  EXPECT_EQ(shown.tapeListHeight, 254);
  const LayoutPlan hidden = PlanLayout({1, 1, 0});
  EXPECT_EQ(hidden.barTop, 248);
  EXPECT_EQ(hidden.tapeListHeight, 232);
  EXPECT_EQ(hidden.tapeListWidth, 224);
  for (const PanePlace& pane :
       {hidden.memoryPane, hidden.averagePane, hidden.itemsPane, hidden.datePane, hidden.numLockPane}) {
    EXPECT_EQ(pane.y, 248);
    EXPECT_EQ(pane.height, 22);
  }
  EXPECT_EQ(hidden.separatorY, 248);
}

TEST(PlanLayout, PanesWithAndWithoutTheTape) {
  const LayoutPlan wide = PlanLayout({1, 1, 1});
  EXPECT_EQ(wide.memoryPane.x, 0);
  EXPECT_EQ(wide.memoryPane.width, 133);
  EXPECT_EQ(wide.averagePane.x, 133);
  EXPECT_EQ(wide.averagePane.width, 133);
  EXPECT_EQ(wide.itemsPane.x, 266);
  EXPECT_EQ(wide.itemsPane.width, 100);
  EXPECT_EQ(wide.datePane.x, 366);
  EXPECT_EQ(wide.numLockPane.x, 466);
  EXPECT_EQ(wide.numLockPane.width, 46);

  const LayoutPlan narrow = PlanLayout({0, 1, 1});
  EXPECT_EQ(narrow.memoryPane.width, 87);
  EXPECT_EQ(narrow.averagePane.x, 87);
  EXPECT_EQ(narrow.averagePane.width, 87);
  EXPECT_EQ(narrow.itemsPane.x, 174);
  // Date and NumLock keep their places outside the narrow window.
  EXPECT_GE(narrow.datePane.x, narrow.clientWidth);
}

TEST(ControlTable, IdentifiersAreUniqueAndKeysAreComplete) {
  std::set<int> seen;
  int keys = 0;
  std::set<Key> keyNames;
  for (const ControlSpec& c : MainWindowControls()) {
    EXPECT_TRUE(seen.insert(c.id).second) << c.id;
    EXPECT_EQ(FindControl(c.id), &c);
    if (c.kind == ControlKind::Key) {
      ++keys;
      ASSERT_TRUE(c.key.has_value()) << c.id;
      EXPECT_TRUE(keyNames.insert(*c.key).second) << c.id;
    }
  }
  EXPECT_EQ(keys, 47);
  // Every keypad name of the engine has a button, the option buttons included.
  EXPECT_EQ(static_cast<int>(keyNames.size()) + 4, kKeyCount);
  EXPECT_EQ(FindControl(1010), nullptr);
  EXPECT_EQ(FindControl(1016), nullptr);
}

TEST(ControlTable, DigitKeysCarryTheirValue) {
  for (int n = 1; n <= 9; ++n) {
    const ControlSpec* c = FindControl(ids::kKey1 + n - 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::string(c->caption), std::string(1, static_cast<char>('0' + n)));
    EXPECT_EQ(DigitValue(*c->key), n);
  }
  for (int n = 10; n <= 15; ++n) {
    const ControlSpec* c = FindControl(ids::kKeyA + n - 10);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::string(c->caption), std::string(1, static_cast<char>('A' + n - 10)));
    EXPECT_EQ(DigitValue(*c->key), n);
  }
  EXPECT_EQ(DigitValue(*FindControl(ids::kKey0)->key), 0);
}

TEST(ControlTable, KeyCaptionsMatchTheEngineNames) {
  for (const ControlSpec& c : MainWindowControls()) {
    if (c.kind != ControlKind::Key || *c.key == Key::Transfer) continue;
    EXPECT_EQ(KeyFromCaption(c.caption), c.key) << c.id << " " << c.caption;
  }
  EXPECT_STREQ(FindControl(ids::kKeyTimes)->caption, "\xD7");
  EXPECT_STREQ(FindControl(ids::kKeyDivide)->caption, "\xF7");
}

bool Overlap(const ControlSpec& a, const ControlSpec& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(ControlTable, KeysFitTheDesignAreaWithoutOverlapping) {
  const auto controls = MainWindowControls();
  for (const ControlSpec& a : controls) {
    if (a.kind != ControlKind::Key && a.kind != ControlKind::TimeDisplay) continue;
    EXPECT_GE(a.x, 0);
    EXPECT_LE(a.x + a.width, 276) << a.id << " runs into the tape";
    EXPECT_LE(a.y + a.height, 270) << a.id << " runs into the status bar";
    for (const ControlSpec& b : controls) {
      if (&a < &b && (b.kind == ControlKind::Key || b.kind == ControlKind::TimeDisplay)) {
        EXPECT_FALSE(Overlap(a, b)) << a.id << " and " << b.id;
      }
    }
  }
}

TEST(ControlTable, TooltipsNameExistingKeys) {
  int count = 0;
  for (const TooltipSpec& t : MainWindowTooltips()) {
    const ControlSpec* c = FindControl(t.id);
    ASSERT_NE(c, nullptr) << t.id;
    EXPECT_EQ(c->kind, ControlKind::Key);
    EXPECT_LE(std::string(t.text).size(), 80u);
    ++count;
  }
  EXPECT_EQ(count, 21);
  EXPECT_STREQ(MainWindowTooltips().front().text, "Always On Top");
  EXPECT_EQ(MainWindowTooltips().back().id, ids::kKeyReset);
}

TEST(StatusTexts, DatePane) {
  EXPECT_EQ(DatePaneText(2026, 12, 6), "  Dec 06, 2026");
  EXPECT_EQ(DatePaneText(2027, 1, 31), "  Jan 31, 2027");
  EXPECT_EQ(DatePaneText(999, 7, 4), "  Jul 04, 0999");
  EXPECT_EQ(DatePaneText(2026, 0, 1), "  ??? 01, 2026");
  EXPECT_EQ(DatePaneText(2026, 13, 1), "  ??? 01, 2026");
}

}  // namespace
}  // namespace tallix
