#pragma once
// The calculator's state record: one per process, read by every engine
// operation and by the main window (tape files read and reset the calculation
// fields). The display text itself lives in the host, never here.

#include <array>
#include <cstdint>
#include <string>

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

// A field added here is compared in SameState too (recording.cpp).
struct EngineState {
  std::string entryText;        // typed since the last operation; empty: a result is shown
  bool entryMade = false;       // a new operand has been typed, recalled or pasted
  Real operand = 0;             // last operand read; the repeated entry of the adding machine
  Real total = 0;               // running result of the calculation in progress
  Real lastTotal = 0;           // result of the last equals or change
  Operator pendingOp = Operator::None;
  std::int32_t itemCount = 0;   // numbers recorded in the calculation in progress
  bool averageShown = false;    // the average pane describes the calculation
  bool insideEquals = false;    // equals is applying the pending operator
  std::int32_t calcMode = 0;    // 0 standard calculator, 1 adding machine
  std::uint8_t displayMode = display_mode::kFloating;  // 0..4 fixed, 10 floating, 11..13 hex/bin/oct
  std::uint8_t decimalSetting = display_mode::kFloating;  // decimal choice kept while another system shows
  bool digitGrouping = true;
  bool autoDecimal = false;
  float taxRate = 0;            // percent
  std::int32_t memoryBank = 0;  // 0 = M1, 1 = M2
  std::array<std::string, 2> memoryText;  // empty: the bank is empty
  std::array<Real, 2> memoryValue{};
  std::int32_t maxEntryLength = 18;
  bool laptopKeys = false;
  bool shiftDown = false;
  bool ctrlDown = false;
  std::int32_t lastTapeIndex = 0;

  bool IsDecimal() const { return displayMode < display_mode::kHex; }
};

// The persisted fields, as the settings-file module reads them at start-up.
struct EngineSettings {
  std::int32_t calcMode = 0;
  std::uint8_t displayMode = display_mode::kFloating;    // "Decimal Setting1", 0..13
  std::uint8_t decimalSetting = display_mode::kFloating; // "Decimal Setting2", 0..10
  bool digitGrouping = true;
  bool autoDecimal = false;
  float taxRate = 0;
  bool laptopKeys = false;
  std::array<std::string, 2> memoryText;
  std::array<Real, 2> memoryValue{};
  bool operator==(const EngineSettings&) const = default;
};

}  // namespace tallix
