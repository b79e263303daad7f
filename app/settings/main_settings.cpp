#include "app/settings/main_settings.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "services/number_text.h"

namespace tallix {

namespace {

std::int32_t ReadInt32(SettingsPort& settings, std::string_view key, std::int32_t fallback) {
  const std::int32_t value = SettingToInt32(settings.Read(kMainSettingsSection, key, std::to_string(fallback)));
  settings.Write(kMainSettingsSection, key, std::to_string(value));
  return value;
}

// A byte setting whose values outside 0..`highest` become `replacement`.
std::uint8_t ReadByte(SettingsPort& settings, std::string_view key, std::uint8_t fallback, int highest,
                      std::uint8_t replacement) {
  const std::int32_t read = SettingToInt32(settings.Read(kMainSettingsSection, key, std::to_string(fallback)));
  const auto value = (read < 0 || read > highest) ? replacement : static_cast<std::uint8_t>(read);
  settings.Write(kMainSettingsSection, key, std::to_string(value));
  return value;
}

float ReadTaxRate(SettingsPort& settings) {
  // Beyond the single range the rate saturates instead of becoming infinite,
  // which would not survive the trip through the file.
  Real read = ParseLeadingNumber(settings.Read(kMainSettingsSection, "TaxRate", "0"));
  if (std::isnan(read)) read = 0;
  const float rate =
      static_cast<float>(std::fmax(-static_cast<Real>(FLT_MAX), std::fmin(read, static_cast<Real>(FLT_MAX))));
  settings.Write(kMainSettingsSection, "TaxRate", PlainSingleText(rate));
  return rate;
}

MemoryBank ReadMemoryBank(SettingsPort& settings, std::string_view textKey, std::string_view valueKey) {
  return {settings.Read(kMemorySection, textKey, ""), ParseLeadingNumber(settings.Read(kMemorySection, valueKey, ""))};
}

}  // namespace

std::int32_t SettingToInt32(std::string_view text) {
  const Real rounded = std::nearbyint(ParseLeadingNumber(text));
  if (std::isnan(rounded)) return 0;
  if (rounded >= static_cast<Real>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (rounded <= static_cast<Real>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rounded);
}

std::string PlainSingleText(float value) {
  if (std::isnan(value)) return std::string(kNaNText);
  if (std::isinf(value)) return std::string(value < 0 ? kNegativeInfinityText : kInfinityText);
  if (value == 0) return "0";
  // Seven significant digits, correctly rounded: "-d.dddddde+XX".
  char scientific[32];
  const auto converted = std::to_chars(scientific, scientific + sizeof scientific, static_cast<double>(value),
                                       std::chars_format::scientific, 6);
  const std::string_view text(scientific, static_cast<std::size_t>(converted.ptr - scientific));
  const bool negative = text.front() == '-';
  const auto e = text.find('e');
  std::string digits;
  for (const char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
    if (c != '.') digits += c;
  }
  digits.erase(digits.find_last_not_of('0') + 1);
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  const int count = static_cast<int>(digits.size());

  std::string out = negative ? "-" : "";
  if (exponent >= 7 || (exponent < 0 && -exponent - 1 + count > 7)) {
    out += digits.front();
    if (count > 1) out += "." + digits.substr(1);
    const int magnitude = std::abs(exponent);
    out += exponent < 0 ? "E-" : "E+";
    out += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
  } else if (exponent < 0) {
    out += "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent + 1);
    if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
    out += digits.substr(0, integerDigits);
    if (digits.size() > integerDigits) out += "." + digits.substr(integerDigits);
  }
  return out;
}

std::int32_t ReadShowFlag(SettingsPort& settings, std::string_view key) { return ReadInt32(settings, key, 1); }

MainSettings LoadMainSettings(SettingsPort& settings) {
  MainSettings loaded;
  constexpr std::string_view kColorKeys[] = {"Group 1 Color", "Group 2 Color", "Group 3 Color"};
  for (std::size_t i = 0; i < loaded.groupColors.size(); ++i) {
    loaded.groupColors[i] = ReadInt32(settings, kColorKeys[i], loaded.groupColors[i]);
  }
  loaded.showTape = ReadShowFlag(settings, "ShowTape");
  loaded.showStatusBar = ReadShowFlag(settings, "ShowStatusBar");
  loaded.showStopWatch = ReadShowFlag(settings, "ShowStopWatch");
  loaded.digitGrouping = ReadByte(settings, "Digit Grouping", 1, 1, 1);
  loaded.decimalSetting1 = ReadByte(settings, "Decimal Setting1", 10, 13, 10);
  loaded.decimalSetting2 = ReadByte(settings, "Decimal Setting2", 10, 10, 10);
  loaded.autoDecimal = ReadByte(settings, "Auto Decimal", 0, 1, 0);
  loaded.taxRate = ReadTaxRate(settings);
  loaded.lt10Key = ReadInt32(settings, "LT10Key", 0);
  loaded.topMost = ReadInt32(settings, "TopMost", 0);
  loaded.calcMode = ReadInt32(settings, "CalcMode", 0);
  loaded.memory[0] = ReadMemoryBank(settings, "M1", "M1v");
  loaded.memory[1] = ReadMemoryBank(settings, "M2", "M2v");
  return loaded;
}

}  // namespace tallix
