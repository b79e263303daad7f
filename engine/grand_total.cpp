// The grand total of a printing calculator: while it is on, every equals adds
// its result, as the display shows it, into the GT register; Grand Total shows
// the register and writes it on the tape, and pressed again at once clears it.
#include <cmath>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/settings_keys.h"
#include "services/number_text.h"

namespace tallix {

void Engine::SwitchGrandTotal(bool on) {
  const bool held = state_.GrandTotalHeld();
  state_.grandTotalOn = on;
  if (state_.GrandTotalHeld() != held) ShowMemoryPane();
}

void Engine::StoreGrandTotal(Real value) {
  const bool held = state_.GrandTotalHeld();
  state_.grandTotal = value;
  recorder_.WriteSettings({{memory_keys::kSection, memory_keys::kGrandTotal, PlainNumberText(value, 18)}});
  if (state_.GrandTotalHeld() != held) ShowMemoryPane();
}

void Engine::AddToGrandTotal() {
  if (!state_.grandTotalOn) return;
  // The printed result is what adds up: with fixed decimals, as rounded.
  const Real result = DisplayValue();
  if (std::isfinite(result) && result != 0) StoreGrandTotal(state_.grandTotal + result);
}

void Engine::PressGrandTotal() {
  if (!state_.grandTotalOn) return Focus();
  if (grandTotalBefore_) {
    StoreGrandTotal(0);
    WriteTapeLine(kGrandTotalClearedLine, "");
    return Focus();
  }
  std::string line;
  if (state_.IsDecimal()) {
    ShowValue(state_.grandTotal);
    line = host_->GetDisplayText();
  } else {
    const std::string text = SystemText(state_.grandTotal);
    host_->SetDisplayText(text);
    line = "(" + std::string(SystemName(state_.displayMode)) + ") " + text;
  }
  WriteTapeLine(line, kGrandTotalSymbol);
  // Taken on by the next operation as a recalled memory is.
  state_.entryText.clear();
  state_.entryMade = true;
  state_.grandTotalPressed = true;
  Focus();
}

}  // namespace tallix
