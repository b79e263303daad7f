#include "app/main_window/layout.h"

#include "app/main_window/control_ids.h"
#include "engine/settings_keys.h"
#include "resources/resource_ids.h"

namespace tallix {

LayoutPlan PlanLayout(const LayoutFlags& flags) {
  constexpr int kBarTop = 270;
  constexpr int kPaneHeight = 22;
  LayoutPlan plan;
  plan.tapeShown = flags.showTape == 1;
  plan.statusBarShown = flags.showStatusBar == 1;
  plan.stopwatchShown = flags.showStopWatch == 1;

  plan.barTop = plan.stopwatchShown ? kBarTop : kBarTop - kBarHeight;
  plan.clientHeight = plan.stopwatchShown ? kFullClientHeight : kFullClientHeight - kBarHeight;
  plan.tapeListWidth = 224;
  plan.tapeListHeight = plan.stopwatchShown ? 254 : 232;

  // A hidden status bar keeps its panes: they only fall below the client area.
  if (!plan.statusBarShown) plan.clientHeight -= kBarHeight;

  const int h = plan.barTop;
  const int leftPaneWidth = plan.tapeShown ? 133 : 87;
  plan.panes = {{{ids::kMemoryPane, 0, h, leftPaneWidth, kPaneHeight},
                 {ids::kAveragePane, leftPaneWidth, h, leftPaneWidth, kPaneHeight},
                 {ids::kItemsPane, 2 * leftPaneWidth, h, 100, kPaneHeight},
                 {ids::kDatePane, 366, h, 100, kPaneHeight},
                 {ids::kNumLockPane, 466, h, 46, kPaneHeight}}};
  plan.clientWidth = plan.tapeShown ? kWideClientWidth : kNarrowClientWidth;
  return plan;
}

std::pair<std::string_view, std::string_view> Toggle(ViewState& view, int menuId) {
  if (menuId == IDM_KEEP_TAPE) {
    view.keepTape = !view.keepTape;
    return {main_keys::kKeepTape, view.keepTape ? "1" : "0"};
  }
  const auto [shown, key] = menuId == IDM_SHOW_TAPE ? std::pair{&view.layout.showTape, main_keys::kShowTape}
                            : menuId == IDM_SHOW_STATUSBAR
                                ? std::pair{&view.layout.showStatusBar, main_keys::kShowStatusBar}
                                : std::pair{&view.layout.showStopWatch, main_keys::kShowStopWatch};
  *shown = *shown == 1 ? 0 : 1;
  return {key, *shown == 1 ? "1" : "0"};
}

int ThemeMenuItem(ThemeChoice theme) { return IDM_THEME_SYSTEM + static_cast<int>(theme); }

std::array<std::pair<int, bool>, 15> MenuChecks(const ViewState& view) {
  std::array<std::pair<int, bool>, 15> checks{{{IDM_SHOW_TAPE, view.layout.showTape == 1},
                                               {IDM_SHOW_STATUSBAR, view.layout.showStatusBar == 1},
                                               {IDM_SHOW_STOPWATCH, view.layout.showStopWatch == 1},
                                               {IDM_KEEP_TAPE, view.keepTape},
                                               {IDM_DIGIT_GROUPING, view.digitGrouping},
                                               {IDM_AUTO_DECIMAL, view.autoDecimal},
                                               {IDM_FLOATING, view.decimalSetting == 10}}};
  for (int places = 0; places <= 4; ++places)
    checks[7 + places] = {IDM_DECIMAL_0 + places, view.decimalSetting == places};
  for (ThemeChoice theme : {ThemeChoice::kSystem, ThemeChoice::kLight, ThemeChoice::kDark})
    checks[12 + static_cast<int>(theme)] = {ThemeMenuItem(theme), view.theme == theme};
  return checks;
}

}  // namespace tallix
