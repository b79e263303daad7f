// The main window's arithmetic without a window: layout, view state, pane and menu texts.
#include <gtest/gtest.h>

#include "app/main_window/layout.h"
#include "app/main_window/menu_text.h"
#include "app/main_window/status_texts.h"
#include "resources/resource_ids.h"

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

LayoutFlags FlagsOf(int bits) { return {bits & 1, (bits >> 1) & 1, (bits >> 2) & 1}; }

// The panes that begin inside the client area lie side by side from its left
// edge along the bar; the others lie wholly beyond its right edge.
TEST(PlanLayout, StatusPanesTileTheBar) {
  for (int bits = 0; bits < 8; ++bits) {
    const LayoutPlan plan = PlanLayout(FlagsOf(bits));
    SCOPED_TRACE(bits);
    int edge = 0;
    for (const PanePlace& pane : plan.panes) {
      EXPECT_EQ(pane.y, plan.barTop);
      EXPECT_EQ(pane.height, kBarHeight);
      EXPECT_GT(pane.width, 0);
      if (pane.x >= plan.clientWidth) continue;
      EXPECT_EQ(pane.x, edge);
      edge = pane.x + pane.width;
    }
    EXPECT_GT(edge, plan.clientWidth / 2);
  }
}

// Each bar takes its own height off the window and moves only what lies
// below it; the tape takes only width.
TEST(PlanLayout, EachPartTakesItsOwnRoom) {
  for (int bits = 0; bits < 8; ++bits) {
    const LayoutFlags flags = FlagsOf(bits);
    const LayoutPlan plan = PlanLayout(flags);
    SCOPED_TRACE(bits);
    if (plan.statusBarShown) {
      EXPECT_LE(plan.barTop + kBarHeight, plan.clientHeight);
      LayoutFlags hidden = flags;
      hidden.showStatusBar = 0;
      const LayoutPlan without = PlanLayout(hidden);
      EXPECT_EQ(without.clientHeight, plan.clientHeight - kBarHeight);
      EXPECT_EQ(without.barTop, plan.barTop);
      EXPECT_EQ(without.tapeListHeight, plan.tapeListHeight);
    }
    if (plan.stopwatchShown) {
      LayoutFlags hidden = flags;
      hidden.showStopWatch = 0;
      const LayoutPlan without = PlanLayout(hidden);
      EXPECT_EQ(without.clientHeight, plan.clientHeight - kBarHeight);
      EXPECT_EQ(without.barTop, plan.barTop - kBarHeight);
      EXPECT_EQ(without.tapeListHeight, plan.tapeListHeight - kBarHeight);
    }
    if (plan.tapeShown) {
      LayoutFlags hidden = flags;
      hidden.showTape = 0;
      const LayoutPlan without = PlanLayout(hidden);
      EXPECT_LT(without.clientWidth, plan.clientWidth);
      EXPECT_EQ(without.clientHeight, plan.clientHeight);
      EXPECT_EQ(without.barTop, plan.barTop);
    }
  }
}

// A toggle shows what it wrote: the check mark, the layout and the key
// agree, and two toggles give back where they started.
TEST(ViewState, ToggleFlipsTheFlagItsMenuItemAndItsKey) {
  const auto checked = [](const ViewState& view, int menuId) {
    for (const auto& [item, checked] : MenuChecks(view)) {
      if (item == menuId) return checked;
    }
    ADD_FAILURE() << menuId;
    return false;
  };
  for (int menuId : {IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR, IDM_SHOW_STOPWATCH, IDM_KEEP_TAPE}) {
    // A show flag that is neither 0 nor 1 shows nothing, and is turned on.
    ViewState view;
    view.layout = {2, 2, 2};
    const ViewState before = view;
    const bool wasChecked = checked(view, menuId);
    const auto first = Toggle(view, menuId);
    EXPECT_NE(checked(view, menuId), wasChecked);
    EXPECT_EQ(first.second, checked(view, menuId) ? "1" : "0");
    const auto second = Toggle(view, menuId);
    EXPECT_EQ(first.first, second.first);
    EXPECT_NE(first.second, second.second);
    EXPECT_EQ(checked(view, menuId), checked(before, menuId)) << menuId;
    const LayoutPlan plan = PlanLayout(view.layout);
    EXPECT_EQ(plan.tapeShown, checked(view, IDM_SHOW_TAPE));
    EXPECT_EQ(plan.statusBarShown, checked(view, IDM_SHOW_STATUSBAR));
    EXPECT_EQ(plan.stopwatchShown, checked(view, IDM_SHOW_STOPWATCH));
  }
}

// Exactly one of the decimals items is checked for a setting the menu has.
TEST(ViewState, OneDecimalsItemChecked) {
  for (int setting : {0, 1, 2, 3, 4, 10, 7}) {
    ViewState view;
    view.decimalSetting = setting;
    int checked = 0;
    for (const auto& [item, on] : MenuChecks(view)) {
      if (item >= IDM_FLOATING && item <= IDM_DECIMAL_4) checked += on ? 1 : 0;
    }
    EXPECT_EQ(checked, setting == 7 ? 0 : 1) << setting;
  }
}

// The theme's items check the choice alone.
TEST(ViewState, ThemeItemOfTheChoiceAloneChecked) {
  for (ThemeChoice theme : {ThemeChoice::kSystem, ThemeChoice::kLight, ThemeChoice::kDark}) {
    ViewState view;
    view.theme = theme;
    for (const auto& [item, on] : MenuChecks(view)) {
      if (item >= IDM_THEME_SYSTEM && item <= IDM_THEME_DARK) {
        EXPECT_EQ(on, item == ThemeMenuItem(theme)) << item;
      }
    }
  }
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
