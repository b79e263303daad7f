#pragma once
// What the calculator starts with: the keys of "Main Settings" read, brought
// into their accepted ranges and written back at once, so that after the first
// run the file lists every key with a valid value; and the two memory banks.
// The names of the sections and keys are in engine/settings_keys.h.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine_state.h"
#include "engine/settings_port.h"

namespace tallix {

struct MainSettings {
  // Caption colours (0x00BBGGRR) of the digit keys, the operation keys and
  // the side-calculator keys.
  std::array<std::int32_t, 3> groupColors{16711680, 255, 16711935};
  // Only 1 shows the part.
  std::int32_t showTape = 1;
  std::int32_t showStatusBar = 1;
  std::int32_t showStopWatch = 1;
  std::int32_t topMost = 0;  // only 1 keeps the window above the others
  // Everything Engine::Start takes: decimals, grouping, tax rate, laptop keys,
  // calculation mode and the memory banks.
  EngineSettings engine;
  bool operator==(const MainSettings&) const = default;
};

// Reads, normalises and writes back every start-up key in its fixed order,
// then reads the rounding rule, the grand total's switch and value and the
// memory banks (which are left as they are in the file).
MainSettings LoadMainSettings(SettingsPort& settings);

// One of "ShowTape", "ShowStatusBar", "ShowStopWatch": read with default 1,
// written back, returned.
std::int32_t ReadShowFlag(SettingsPort& settings, std::string_view key);

// A setting text as a 32-bit integer: the leading number, rounded to nearest
// (ties to even). Hand-edited values beyond the 32-bit range saturate at its
// limits rather than wrap, so a huge colour stays a huge colour.
std::int32_t SettingToInt32(std::string_view text);

// A tax rate as typed or stored: the leading number (0 when there is none),
// held in single precision and kept within its finite range.
float TaxRateFromText(std::string_view text);

// A single-precision value as plain number text of up to 7 significant digits:
// no trailing zeros, ".5" without a leading zero, "1.5E+20" when the digits do
// not fit.
std::string PlainSingleText(float value);

}  // namespace tallix
