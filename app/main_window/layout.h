#pragma once
// Where the tape, the stopwatch bar and the status bar go, and how large the
// window is, for each combination of the three "Show..." settings.

namespace tallix {

struct PanePlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

inline constexpr int kWideWidth = 513;
inline constexpr int kNarrowWidth = 282;
inline constexpr int kFullHeight = 344;
// Windows 98 and 2000 draw thinner frames: the same client area needs less.
inline constexpr int kFullHeightOldSystems = 337;
inline constexpr int kBarHeight = 22;

// The outer height with everything shown: shorter on the two old systems.
int FullHeightFor(const char* windowsVersionText);

// The three settings as read from the file; only 1 means "shown".
struct LayoutFlags {
  long long showTape = 1;
  long long showStatusBar = 1;
  long long showStopWatch = 1;
};

struct LayoutPlan {
  bool tapeShown = false;
  bool statusBarShown = false;
  bool stopwatchShown = false;
  int barTop = 0;  // y of the status panes and the separator line
  int windowWidth = 0;
  int windowHeight = 0;
  int tapeListWidth = 0;
  int tapeListHeight = 0;
  PanePlace memoryPane;
  PanePlace averagePane;
  PanePlace itemsPane;
  PanePlace datePane;
  PanePlace numLockPane;
  int separatorX = 0;
  int separatorY = 0;
};

LayoutPlan PlanLayout(const LayoutFlags& flags, int fullHeight = kFullHeight);

}  // namespace tallix
