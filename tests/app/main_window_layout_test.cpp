// The main window's arithmetic without a window: layout, pane and menu texts.
#include <gtest/gtest.h>

#include "app/main_window/layout.h"
#include "app/main_window/menu_text.h"
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

// An item is found by the caption as written, whatever letter it marks and
// whatever keystroke it shows.
TEST(MenuText, CaptionWithoutLetterMarkOrKeystroke) {
  EXPECT_EQ(MenuItemCaption(L"&Add Note...\tCtrl+N"), L"Add Note...");
  EXPECT_EQ(MenuItemCaption(L"Show Status&Bar"), L"Show StatusBar");
  EXPECT_EQ(MenuItemCaption(L"Save && &Load&"), L"Save & Load");
  EXPECT_EQ(MenuItemWithShortcut(L"&Copy\tCtrl+Ins", L"Ctrl+C"), L"&Copy\tCtrl+C");
  EXPECT_EQ(MenuItemWithShortcut(L"&Copy\tCtrl+C", L""), L"&Copy");
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
