#pragma once
// What the calculator starts with: the keys of "Main Settings" read, brought
// into their accepted ranges and written back at once, so that after the first
// run the file lists every key with a valid value; and the two memory banks.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/settings_port.h"
#include "services/real.h"

namespace tallix {

inline constexpr std::string_view kMainSettingsSection = "Main Settings";
inline constexpr std::string_view kMemorySection = "Memory";

struct MemoryBank {
  std::string text;  // as the display showed it when stored; empty: bank empty
  Real value = 0;
  bool operator==(const MemoryBank&) const = default;
};

struct MainSettings {
  // Caption colours (0x00BBGGRR) of the digit keys, the operation keys and
  // the side-calculator keys.
  std::array<std::int32_t, 3> groupColors{16711680, 255, 16711935};
  // Only 1 shows the part.
  std::int32_t showTape = 1;
  std::int32_t showStatusBar = 1;
  std::int32_t showStopWatch = 1;
  std::uint8_t digitGrouping = 1;
  std::uint8_t decimalSetting1 = 10;  // display mode: 0-4 fixed, 10 floating, 11 hex, 12 binary, 13 octal
  std::uint8_t decimalSetting2 = 10;  // decimals kept while another number system shows: 0-4 or 10
  std::uint8_t autoDecimal = 0;
  float taxRate = 0;  // percent
  std::int32_t lt10Key = 0;
  std::int32_t topMost = 0;
  std::int32_t calcMode = 0;         // 0 standard calculator, 1 adding machine
  std::array<MemoryBank, 2> memory;  // [0] is bank 1 ("M1", "M1v"), [1] bank 2
  bool operator==(const MainSettings&) const = default;
};

// Reads, normalises and writes back every start-up key in its fixed order,
// then reads the memory banks (which are left as they are in the file).
MainSettings LoadMainSettings(SettingsPort& settings);

// One of "ShowTape", "ShowStatusBar", "ShowStopWatch": read with default 1,
// written back, returned. The layout calls it on every pass.
std::int32_t ReadShowFlag(SettingsPort& settings, std::string_view key);

// A setting text as a 32-bit integer: the leading number, rounded to nearest
// (ties to even). Hand-edited values beyond the 32-bit range saturate at its
// limits rather than wrap, so a huge colour stays a huge colour.
std::int32_t SettingToInt32(std::string_view text);

// A single-precision value as plain number text of up to 7 significant digits:
// no trailing zeros, ".5" without a leading zero, "1.5E+20" when the digits do
// not fit.
std::string PlainSingleText(float value);

}  // namespace tallix
