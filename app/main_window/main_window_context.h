#pragma once
// What the main window's own windows and commands (options, help, the tape
// files and corrections, the stopwatch bar) use of it, beyond what every side
// window is given. The main window hands itself over as this when it opens or
// runs one of them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/stopwatch/stopwatch.h"
#include "engine/entry_correction.h"
#include "side_window/side_window_context.h"

namespace tallix {

class MainWindowContext : public SideWindowContext {
 public:
  // Every line of the tape, first to last (Windows-1252).
  virtual std::vector<std::string> TapeLines() const { return TapeLinesFrom(0); }
  // The tape's lines from line `first` on.
  virtual std::vector<std::string> TapeLinesFrom(std::size_t first) const = 0;
  // The tape list's lines as the window keeps them beside the list, read
  // without asking the list for each: whatever changes the list's lines
  // changes these alike (AddTapeLine, ClearTapeLines, ReplaceTapeLines).
  virtual std::vector<std::string>& KeptTapeLines() = 0;
  // Marks tape line `line` with the list's focus rectangle and brings it into
  // view, a screen reader told `spoken`; nullopt takes the mark away. The
  // mark goes with a cleared tape too.
  virtual void MarkTapeLine(std::optional<std::size_t> line, std::wstring_view spoken) = 0;
  virtual std::optional<std::size_t> MarkedTapeLine() const = 0;
  // The full path of Tallix.ini (UTF-8): the tape files' default lies beside it.
  virtual const std::string& SettingsPath() const = 0;
  // A control of the window by its identifier, looked up once per window.
  virtual HWND Control(int id) const = 0;
  // The "Laptop 10 Key" label beside the display.
  virtual void ShowLaptopLabel(bool shown) = 0;
  // The stopwatch of the bottom bar, which runs whether or not the bar shows.
  virtual Stopwatch& BarStopwatch() = 0;
  // What undoes the last correction, for "Undo Correction", and the
  // engine's count of records begun when it was made; empty when there is
  // nothing to undo.
  struct LastCorrectionUndo {
    CorrectionUndo undo;
    std::uint64_t recordStarts = 0;
  };
  virtual std::optional<LastCorrectionUndo>& LastCorrection() = 0;
};

}  // namespace tallix
