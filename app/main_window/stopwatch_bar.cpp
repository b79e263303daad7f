#include "app/main_window/stopwatch_bar.h"

#include <windows.h>

#include "app/main_window/control_ids.h"
#include "side_window/wide_text.h"

namespace tallix {
namespace {

void SetText(HWND control, std::string_view text) { SetWindowTextW(control, Wide(text).c_str()); }

void ShowTime(MainWindowContext& main) { SetText(main.Control(ids::kTimeDisplay), main.BarStopwatch().text()); }

void ShowKeys(MainWindowContext& main) {
  const Stopwatch& watch = main.BarStopwatch();
  HWND start = main.Control(ids::kKeyStart);
  SetText(start, watch.startCaption());
  // The themed key paints its caption only when it is drawn again.
  InvalidateRect(start, nullptr, TRUE);
  EnableWindow(main.Control(ids::kKeyLap), watch.lapEnabled());
  EnableWindow(main.Control(ids::kKeyReset), watch.resetEnabled());
  ShowTime(main);
}

// A key that changes the watch's state, which the keys then show.
void Change(MainWindowContext& main, void (Stopwatch::*change)()) {
  if (!main.Owner()) return;
  (main.BarStopwatch().*change)();
  ShowKeys(main);
}

}  // namespace

void StopwatchStartStop(MainWindowContext& main) { Change(main, &Stopwatch::StartStop); }

void StopwatchLap(MainWindowContext& main) {
  if (const std::optional<std::string> time = main.BarStopwatch().Lap()) {
    main.CalculatorEngine().AppendTapeLine(*time, kLapSymbol);
  }
}

void StopwatchReset(MainWindowContext& main) { Change(main, &Stopwatch::Reset); }

void StopwatchTick(MainWindowContext& main) {
  if (main.Owner() && main.BarStopwatch().Tick()) ShowTime(main);
}

}  // namespace tallix
