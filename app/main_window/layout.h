#pragma once
// Where the tape, the stopwatch bar and the status bar go, and how large the
// client area is, for each combination of the three "Show..." settings. The
// window's outer size follows from the client area on whatever frame the
// system draws.
#include <array>
#include <string_view>
#include <utility>

#include "services/theme_choice.h"

namespace tallix {

struct PanePlace {
  int id = 0;  // the pane's control
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
  int barTop = 0;  // y of the status panes and of the line along their top, which starts at x 0
  int clientWidth = 0;
  int clientHeight = 0;
  int tapeListWidth = 0;
  int tapeListHeight = 0;
  std::array<PanePlace, 5> panes;  // memory, average, items, date, NumLock: left to right
};

LayoutPlan PlanLayout(const LayoutFlags& flags);

// What the window shows of its settings: the layout's parts, the number
// system and the menus' check-mark choices. The window draws them from it.
struct ViewState {
  LayoutFlags layout;
  int numberSystem = 0;    // decimal, hexadecimal, binary, octal
  int decimalSetting = 2;  // 0 to 4 places, or 10 for floating
  bool digitGrouping = false;
  bool autoDecimal = false;
  bool keepTape = false;
  ThemeChoice theme = ThemeChoice::kSystem;
};

// Turns over the check mark of Show Tape, Show StatusBar, Show Stopwatch or
// Keep Tape (a part shown only at 1 is hidden, any other value shows it);
// returns the key of "Main Settings" and its new text.
std::pair<std::string_view, std::string_view> Toggle(ViewState& view, int menuId);

// View > Theme's item of the choice.
int ThemeMenuItem(ThemeChoice theme);

// Every menu item that can carry a check mark, and whether it does.
std::array<std::pair<int, bool>, 15> MenuChecks(const ViewState& view);

}  // namespace tallix
