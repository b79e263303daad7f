#include "app/settings/main_settings.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "engine/settings_keys.h"
#include "services/number_text.h"
#include "services/rounding_choice.h"

namespace tallix {

namespace {

std::int32_t ReadInt32(SettingsPort& settings, std::string_view key, std::int32_t fallback) {
  const std::int32_t value = SettingToInt32(settings.Read(main_keys::kSection, key, std::to_string(fallback)));
  settings.Write(main_keys::kSection, key, std::to_string(value));
  return value;
}

// A byte setting whose values outside 0..`highest` become `replacement`.
std::uint8_t ReadByte(SettingsPort& settings, std::string_view key, std::uint8_t fallback, int highest,
                      std::uint8_t replacement) {
  const std::int32_t read = SettingToInt32(settings.Read(main_keys::kSection, key, std::to_string(fallback)));
  const auto value = (read < 0 || read > highest) ? replacement : static_cast<std::uint8_t>(read);
  settings.Write(main_keys::kSection, key, std::to_string(value));
  return value;
}

float ReadTaxRate(SettingsPort& settings) {
  const float rate = TaxRateFromText(settings.Read(main_keys::kSection, main_keys::kTaxRate, "0"));
  settings.Write(main_keys::kSection, main_keys::kTaxRate, PlainSingleText(rate));
  return rate;
}

// Left as it is in the file: the memory keys are written only when a bank or
// the grand total changes.
void ReadMemoryBanks(SettingsPort& settings, EngineSettings& engine) {
  for (std::size_t bank = 0; bank < engine.banks.text.size(); ++bank) {
    engine.banks.text[bank] = settings.Read(memory_keys::kSection, memory_keys::kBankText[bank], "");
    engine.banks.value[bank] =
        ParseLeadingNumber(settings.Read(memory_keys::kSection, memory_keys::kBankValue[bank], ""));
  }
  // A sum that no longer is a number starts again from nothing.
  const Real grandTotal = ParseLeadingNumber(settings.Read(memory_keys::kSection, memory_keys::kGrandTotal, ""));
  engine.grandTotal = std::isfinite(grandTotal) ? grandTotal : 0;
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

float TaxRateFromText(std::string_view text) {
  // Beyond the single range the rate saturates instead of becoming infinite,
  // which would not survive the trip through the file.
  Real read = ParseLeadingNumber(text);
  if (std::isnan(read)) read = 0;
  return static_cast<float>(std::fmax(-static_cast<Real>(FLT_MAX), std::fmin(read, static_cast<Real>(FLT_MAX))));
}

// A float is exact in the extended type: rounded there to 7 digits, it is
// the float itself rounded.
std::string PlainSingleText(float value) { return PlainNumberText(value, 7); }

std::int32_t ReadShowFlag(SettingsPort& settings, std::string_view key) { return ReadInt32(settings, key, 1); }

MainSettings LoadMainSettings(SettingsPort& settings) {
  using namespace main_keys;
  MainSettings loaded;
  for (std::size_t i = 0; i < loaded.groupColors.size(); ++i) {
    loaded.groupColors[i] = ReadInt32(settings, kGroupColor[i], loaded.groupColors[i]);
  }
  loaded.showTape = ReadShowFlag(settings, kShowTape);
  loaded.showStatusBar = ReadShowFlag(settings, kShowStatusBar);
  loaded.showStopWatch = ReadShowFlag(settings, kShowStopWatch);
  EngineSettings& engine = loaded.engine;
  engine.digitGrouping = ReadByte(settings, kDigitGrouping, 1, 1, 1) == 1;
  engine.displayMode = ReadByte(settings, kDisplayMode, 10, 13, 10);
  engine.decimalSetting = ReadByte(settings, kDecimalSetting, 10, 10, 10);
  engine.autoDecimal = ReadByte(settings, kAutoDecimal, 0, 1, 0) == 1;
  engine.taxRate = ReadTaxRate(settings);
  engine.laptopKeys = ReadInt32(settings, kLaptopKeys, 0) == 1;
  loaded.topMost = ReadInt32(settings, kTopMost, 0);
  engine.calcMode = ReadInt32(settings, kCalcMode, 0);
  // Left as it is in the file, like the memory: a first start writes no key it did not write before.
  engine.rounding = RoundingRuleFromText(settings.Read(kSection, kRounding, ""));
  engine.grandTotalOn = SettingToInt32(settings.Read(kSection, kGrandTotal, "0")) == 1;
  ReadMemoryBanks(settings, engine);
  return loaded;
}

}  // namespace tallix
