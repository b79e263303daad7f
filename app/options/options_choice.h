#pragma once
// What the Options window edits: the calculation mode, the tax rate, the
// laptop keypad, always-on-top, the rounding of fixed decimals and the grand
// total. The window
// shows a choice made from the current settings and, on Ok, stores the choice
// and applies what it reads.
#include <string>

#include "engine/engine_state.h"
#include "engine/settings_port.h"

namespace tallix {

struct OptionsChoice {
  bool addingMachine = false;
  std::string taxText;  // as typed; any text is accepted
  bool laptopKeys = false;
  bool topMost = false;
  RoundingRule rounding = RoundingRule::kHalfEven;
  bool grandTotal = false;
};

struct AppliedOptions {
  int calcMode = 0;  // 0 standard calculator, 1 adding machine
  float taxRate = 0;
  bool laptopKeys = false;
  bool topMost = false;
  RoundingRule rounding = RoundingRule::kHalfEven;
  bool grandTotal = false;
};

// The choice the window opens with: the tax rate with up to 7 significant
// digits and no leading blank ("8.25", "0").
OptionsChoice CurrentOptions(const EngineState& state, bool topMost);

// Reads the choice (a tax text that is no number is 0) and writes exactly
// "TaxRate", "LT10Key", "TopMost" and "CalcMode", in that order; then
// "Rounding" and "GrandTotal", each when the file has it or the choice is not
// its default (5/4, off), so that a file whose user never chose keeps none.
AppliedOptions StoreOptions(SettingsPort& settings, const OptionsChoice& choice);

}  // namespace tallix
