#pragma once
// The names in Tallix.ini of what the calculator keeps, one namespace per
// section: the engine, the start-up and the windows spell every section and
// key through these. The side windows' own sections are described with their
// windows (engine/settings_section.h).

#include <array>
#include <string_view>

namespace tallix {

namespace main_keys {
inline constexpr std::string_view kSection = "Main Settings";
// Caption colours of the keypad's groups (digits, operations, side calculators).
inline constexpr std::array<std::string_view, 3> kGroupColor = {"Group 1 Color", "Group 2 Color", "Group 3 Color"};
inline constexpr std::string_view kShowTape = "ShowTape";
inline constexpr std::string_view kShowStatusBar = "ShowStatusBar";
inline constexpr std::string_view kShowStopWatch = "ShowStopWatch";
inline constexpr std::string_view kDigitGrouping = "Digit Grouping";
inline constexpr std::string_view kDisplayMode = "Decimal Setting1";
inline constexpr std::string_view kDecimalSetting = "Decimal Setting2";
inline constexpr std::string_view kAutoDecimal = "Auto Decimal";
inline constexpr std::string_view kTaxRate = "TaxRate";
inline constexpr std::string_view kLaptopKeys = "LT10Key";
inline constexpr std::string_view kTopMost = "TopMost";
// "1": a normal exit keeps the tape's journal for the next start.
inline constexpr std::string_view kKeepTape = "KeepTape";
inline constexpr std::string_view kCalcMode = "CalcMode";
inline constexpr std::string_view kLastTapeFile = "LastTapeFile";
// "System", "Light" or "Dark".
inline constexpr std::string_view kTheme = "Theme";
// How the fixed decimals round: "Down", "54" or "Up". Written by the Options
// window only, so a file that never chose keeps none.
inline constexpr std::string_view kRounding = "Rounding";
// "1": every result is added into the grand total. Written by the Options
// window only, as Rounding is.
inline constexpr std::string_view kGrandTotal = "GrandTotal";
}  // namespace main_keys

namespace memory_keys {
inline constexpr std::string_view kSection = "Memory";
// Per bank (index 0 is "M1"): its text as the display showed it, and its value.
inline constexpr std::array<std::string_view, 2> kBankText = {"M1", "M2"};
inline constexpr std::array<std::string_view, 2> kBankValue = {"M1v", "M2v"};
// The grand total's value, written whenever it changes.
inline constexpr std::string_view kGrandTotal = "GT";
}  // namespace memory_keys

}  // namespace tallix
