#pragma once
// What the side windows, the options window, the tape files and the stopwatch
// use of the main window. The main window hands itself over as this when it
// opens or runs one of them; a side window's test can hand a fake.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/stopwatch/stopwatch.h"
#include "engine/engine.h"
#include "engine/engine_host.h"
#include "engine/entry_correction.h"
#include "engine/input_record.h"
#include "engine/settings_port.h"
#include "ui/form.h"

namespace tallix {

class MainWindowContext {
 public:
  virtual ~MainWindowContext() = default;

  // The main window while it exists (nullptr after): owner of the side
  // windows, target of the topmost placement.
  virtual HWND Owner() const = 0;
  virtual Engine& CalculatorEngine() = 0;
  // The engine's services on the window: the display, the tape, the panes.
  virtual EngineHost& CalculatorHost() = 0;
  // Every line of the tape, first to last (Windows-1252).
  virtual std::vector<std::string> TapeLines() const = 0;
  // Tallix.ini.
  virtual SettingsPort& Settings() = 0;
  // Its full path (UTF-8): the tape files' default lies beside it.
  virtual const std::string& SettingsPath() const = 0;
  // The always-on-top setting in memory; setting it places the window in or
  // out of the topmost band and shows the "[O]" key accordingly. The caller
  // writes "TopMost" itself.
  virtual bool IsAlwaysOnTop() const = 0;
  virtual void SetAlwaysOnTop(bool on) = 0;
  // The "Laptop 10 Key" label beside the display.
  virtual void ShowLaptopLabel(bool shown) = 0;
  // The stopwatch of the bottom bar, which runs whether or not the bar shows.
  virtual Stopwatch& BarStopwatch() = 0;
  // Where a modeless side window's form is kept while the main window lives,
  // one per form name ("FORM8"), so that it can be found open again. Empty
  // until the window first opens.
  virtual std::unique_ptr<ui::FormDefinition>& SideForm(std::wstring_view name) = 0;
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
