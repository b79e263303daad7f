#pragma once
// The tape list box as a whole: how many lines it holds, which of them came
// before the record (a loaded tape's), and its lines made again after a
// replay (a correction, a restored tape).
#include <windows.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/main_window/main_window_context.h"
#include "engine/input_record.h"
#include "ui/stepped_work.h"

namespace tallix {

// The tape list takes a long tape with its drawing held back: each line drawn
// as it comes would double the time.
class TapeListDrawingHeld {
 public:
  explicit TapeListDrawingHeld(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
  ~TapeListDrawingHeld() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
  TapeListDrawingHeld(const TapeListDrawingHeld&) = delete;
  TapeListDrawingHeld& operator=(const TapeListDrawingHeld&) = delete;

 private:
  HWND list_;
};

std::size_t TapeCount(HWND list);

// The tape lines before the record's first (a loaded tape's): fixed.
std::size_t FixedLines(MainWindowContext& main);

// The tape list's lines from `from` to `to` (not included) made `lines`, and
// the window's copy of them (`tape`, which the list's lines are) alike. A
// corrected number changes few of them (its own, the totals), and the list
// box's work is most of the cost, so only lines that differ are replaced,
// unless most do. Progress is the second half of `work`.
void ReplaceTapeLines(HWND list, std::vector<std::string>& tape, std::size_t from, std::size_t to,
                      std::span<const std::string> lines, ui::LongWork& work);

// Replay progress as the first half of the work, the tape the second.
std::function<void(std::size_t)> ReplayProgress(ui::LongWork& work, const InputRecord& record);

}  // namespace tallix
