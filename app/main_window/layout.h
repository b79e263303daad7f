#pragma once
// Where the tape, the stopwatch bar and the status bar go, and how large the
// client area is, for each combination of the three "Show..." settings. The
// window's outer size follows from the client area on whatever frame the
// system draws.

namespace tallix {

struct PanePlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The client area with everything shown, and the width without the tape.
inline constexpr int kWideClientWidth = 507;
inline constexpr int kNarrowClientWidth = 276;
inline constexpr int kFullClientHeight = 293;
// Height taken by the stopwatch bar, and by the status bar.
inline constexpr int kBarHeight = 22;
// Height of a line of the tape, and where its text ends and starts.
inline constexpr int kTapeLineHeight = 16;
inline constexpr int kTapeTextRight = 200;
inline constexpr int kTapeTextTop = 2;

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
  int clientWidth = 0;
  int clientHeight = 0;
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

LayoutPlan PlanLayout(const LayoutFlags& flags);

}  // namespace tallix
