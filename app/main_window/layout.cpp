#include "app/main_window/layout.h"

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
  plan.memoryPane = {0, h, leftPaneWidth, kPaneHeight};
  plan.averagePane = {leftPaneWidth, h, leftPaneWidth, kPaneHeight};
  plan.itemsPane = {2 * leftPaneWidth, h, 100, kPaneHeight};
  plan.datePane = {366, h, 100, kPaneHeight};
  plan.numLockPane = {466, h, 46, kPaneHeight};
  plan.separatorX = 0;
  plan.separatorY = h;
  plan.clientWidth = plan.tapeShown ? kWideClientWidth : kNarrowClientWidth;
  return plan;
}

}  // namespace tallix
