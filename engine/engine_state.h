#pragma once
// The calculator's state: one per engine, changed by its operations alone and
// kept in the record (its start, its checkpoints); the windows only read it.
// The display text itself lives in the host, never here.

#include <array>
#include <cstdint>
#include <string>

#include "services/fixed_digits.h"
#include "services/real.h"

namespace tallix {

enum class Operator : std::uint8_t { None, Plus, Minus, Times, Divide };

// displayMode values.
namespace display_mode {
inline constexpr std::uint8_t kFloating = 10;
inline constexpr std::uint8_t kHex = 11;
inline constexpr std::uint8_t kBinary = 12;
inline constexpr std::uint8_t kOctal = 13;
}  // namespace display_mode

// What the banks hold: a correction may change them and leave the rest.
struct MemoryBanks {
  std::array<std::string, 2> text;  // empty: the bank is empty
  std::array<Exact<Real>, 2> value{};
  bool operator==(const MemoryBanks&) const = default;
};

struct EngineState {
  std::string entryText;   // typed since the last operation; empty: a result is shown
  bool entryMade = false;  // a new operand has been typed, recalled or pasted
  Exact<Real> operand;     // last operand read; the repeated entry of the adding machine
  Exact<Real> total;       // running result of the calculation in progress
  Exact<Real> lastTotal;   // result of the last equals or change
  Operator pendingOp = Operator::None;
  std::int32_t itemCount = 0;                             // numbers recorded in the calculation in progress
  bool averageShown = false;                              // the average pane describes the calculation
  bool insideEquals = false;                              // equals is applying the pending operator
  std::int32_t calcMode = 0;                              // 0 standard calculator, 1 adding machine
  std::uint8_t displayMode = display_mode::kFloating;     // 0..4 fixed, 10 floating, 11..13 hex/bin/oct
  std::uint8_t decimalSetting = display_mode::kFloating;  // decimal choice kept while another system shows
  bool digitGrouping = true;
  bool autoDecimal = false;
  Exact<float> taxRate;         // percent
  std::int32_t memoryBank = 0;  // 0 = M1, 1 = M2
  MemoryBanks banks;
  std::int32_t maxEntryLength = 18;
  bool laptopKeys = false;
  bool shiftDown = false;
  bool ctrlDown = false;
  std::int32_t lastTapeIndex = 0;
  // How the fixed decimals 0..4 let go of the digits they do not show.
  RoundingRule rounding = RoundingRule::kHalfEven;
  bool grandTotalOn = false;       // every result is added into the grand total
  Exact<Real> grandTotal;          // the GT register
  bool grandTotalPressed = false;  // the last key was Grand Total: pressed again, it clears

  bool operator==(const EngineState&) const = default;  // every field, bit for bit
  bool IsDecimal() const { return displayMode < display_mode::kHex; }
  // The memory pane says "GT" while this holds.
  bool GrandTotalHeld() const { return grandTotalOn && grandTotal.number != 0; }
};

// Every field in its order, which is the journal's: the journal writes and reads
// the state through this alone. The bindings name every field, so one added to
// the state or the banks stops this compiling until it is listed here. The
// fields from `rounding` on came later: `later()` says whether to visit them
// (a journal of an older version lacks them, and they keep their defaults).
struct AllStateFields {
  bool operator()() const { return true; }
};
template <class State, class Field, class Later = AllStateFields>
void VisitStateFields(State& s, Field&& f, Later&& later = {}) {
  auto& [entryText, entryMade, operand, total, lastTotal, pendingOp, itemCount, averageShown, insideEquals, calcMode,
         displayMode, decimalSetting, digitGrouping, autoDecimal, taxRate, memoryBank, banks, maxEntryLength,
         laptopKeys, shiftDown, ctrlDown, lastTapeIndex, rounding, grandTotalOn, grandTotal, grandTotalPressed] = s;
  auto& [bankText, bankValue] = banks;
  f(entryText), f(entryMade), f(operand), f(total), f(lastTotal), f(pendingOp), f(itemCount), f(averageShown);
  f(insideEquals), f(calcMode), f(displayMode), f(decimalSetting), f(digitGrouping), f(autoDecimal), f(taxRate);
  f(memoryBank), f(bankText[0]), f(bankText[1]), f(bankValue[0]), f(bankValue[1]), f(maxEntryLength), f(laptopKeys);
  f(shiftDown), f(ctrlDown), f(lastTapeIndex);
  if (!later()) return;
  f(rounding), f(grandTotalOn), f(grandTotal), f(grandTotalPressed);
}

// The persisted fields, as the settings-file module reads them at start-up.
struct EngineSettings {
  std::int32_t calcMode = 0;
  std::uint8_t displayMode = display_mode::kFloating;     // "Decimal Setting1", 0..13
  std::uint8_t decimalSetting = display_mode::kFloating;  // "Decimal Setting2", 0..10
  bool digitGrouping = true;
  bool autoDecimal = false;
  float taxRate = 0;
  bool laptopKeys = false;
  MemoryBanks banks;
  RoundingRule rounding = RoundingRule::kHalfEven;  // "Rounding"
  bool grandTotalOn = false;                        // "GrandTotal"
  Exact<Real> grandTotal;                           // "GT" of the memory section
  bool operator==(const EngineSettings&) const = default;
};

}  // namespace tallix
