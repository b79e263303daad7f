#pragma once
// What a side window (the converter, the area, volume and loan calculators,
// the transfer test) is given by the window that opens it: the calculator it
// writes to, the settings it keeps its fields in, an owner, and a place to
// keep its form between openings. The main window hands itself over as this;
// a side window's test can hand a fake.
#include <windows.h>

#include <memory>
#include <string_view>

#include "engine/engine.h"
#include "engine/engine_host.h"
#include "engine/settings_port.h"
#include "ui/form.h"

namespace tallix {

class SideWindowContext {
 public:
  virtual ~SideWindowContext() = default;

  // The main window while it exists (nullptr after): owner of the side
  // windows, target of the topmost placement.
  virtual HWND Owner() const = 0;
  virtual Engine& CalculatorEngine() = 0;
  // The engine's services on the window: the display, the tape, the panes.
  virtual EngineHost& CalculatorHost() = 0;
  // Tallix.ini.
  virtual SettingsPort& Settings() = 0;
  // The always-on-top setting in memory; setting it places the window in or
  // out of the topmost band and shows the "[O]" key accordingly. The caller
  // writes "TopMost" itself.
  virtual bool IsAlwaysOnTop() const = 0;
  virtual void SetAlwaysOnTop(bool on) = 0;
  // Where a modeless side window's form is kept while the main window lives,
  // one per form name ("FORM8"), so that it can be found open again. Empty
  // until the window first opens.
  virtual std::unique_ptr<ui::FormDefinition>& SideForm(std::wstring_view name) = 0;
};

}  // namespace tallix
