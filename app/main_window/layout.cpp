#include "app/main_window/layout.h"

#include <string_view>

namespace tallix {

int FullHeightFor(const char* windowsVersionText) {
  const std::string_view name = windowsVersionText ? windowsVersionText : "";
  if (name.starts_with("Microsoft Windows 2000") || name.starts_with("Microsoft Windows 98")) {
    return kFullHeightOldSystems;
  }
  return kFullHeight;
}

LayoutPlan PlanLayout(const LayoutFlags& flags, int fullHeight) {
  constexpr int kBarTop = 270;
  constexpr int kPaneHeight = 22;
  LayoutPlan plan;
  plan.tapeShown = flags.showTape == 1;
  plan.statusBarShown = flags.showStatusBar == 1;
  plan.stopwatchShown = flags.showStopWatch == 1;

  plan.barTop = plan.stopwatchShown ? kBarTop : kBarTop - kBarHeight;
  plan.windowHeight = plan.stopwatchShown ? fullHeight : fullHeight - kBarHeight;
  plan.tapeListWidth = 224;
  plan.tapeListHeight = plan.stopwatchShown ? 254 : 232;

  // A hidden status bar keeps its panes: they only fall below the client area.
  if (!plan.statusBarShown) plan.windowHeight -= kBarHeight;

  const int h = plan.barTop;
  const int leftPaneWidth = plan.tapeShown ? 133 : 87;
  plan.memoryPane = {0, h, leftPaneWidth, kPaneHeight};
  plan.averagePane = {leftPaneWidth, h, leftPaneWidth, kPaneHeight};
  plan.itemsPane = {2 * leftPaneWidth, h, 100, kPaneHeight};
  plan.datePane = {366, h, 100, kPaneHeight};
  plan.numLockPane = {466, h, 46, kPaneHeight};
  plan.separatorX = 0;
  plan.separatorY = h;
  plan.windowWidth = plan.tapeShown ? kWideWidth : kNarrowWidth;
  return plan;
}

}  // namespace tallix
