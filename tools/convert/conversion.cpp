#include "tools/convert/conversion.h"

#include <algorithm>

#include "services/format_mask.h"
#include "services/number_text.h"
#include "tools/convert/unit_catalog.h"

namespace tallix::convert {
namespace {

constexpr std::string_view kMask = "###,###,###,###.####";
constexpr std::size_t kDashCount = 26;

// The temperature constants were single-precision in the calculator these
// results must match, and are widened as such rather than written as decimals.
constexpr float kKelvinOffset = 273.15f;
constexpr float kFahrenheitPerCelsius = 1.8f;

Real Celsius(std::string_view unit, Real value) {
  if (unit == "Fahrenheit") return (value - 32) * (5.0L / 9.0L);
  if (unit == "Kelvin") return value - kKelvinOffset;
  return value;
}

void AddTemperatureLines(std::vector<std::string>& lines, std::string_view source, Real value) {
  const Real celsius = Celsius(source, value);
  const Real results[] = {32 + celsius * kFahrenheitPerCelsius, celsius, kKelvinOffset + celsius};
  const auto units = CategoryAt(kTemperature).units;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] != source) lines.push_back(std::string(units[i]) + ": " + FormatNumber(results[i], kMask));
  }
}

void AddTableLines(std::vector<std::string>& lines, int category, int row, Real value) {
  const auto units = CategoryAt(category).units;
  const auto factors = FactorTexts();
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::size_t position = static_cast<std::size_t>(row) + i;
    if (position < 1 || position > factors.size()) break;
    const Real factor = ParseNumberExact(factors[position - 1]).value_or(0);
    if (factor == 1) continue;
    std::string text = FormatNumber(factor * value, kMask);
    if (text.ends_with('.')) text.pop_back();
    lines.push_back(std::string(units[i]) + ": " + text);
  }
}

}  // namespace

std::string ValueText(std::string_view displayText) {
  if (displayText.ends_with('.')) displayText.remove_suffix(1);
  return std::string(displayText);
}

std::vector<std::string> ConversionLines(std::string_view valueText, std::string_view unitName,
                                         std::uint32_t itemData) {
  const int category = CategoryOf(itemData);
  if (category < 1 || category > kCategoryCount) return {};
  std::string digits(valueText);
  std::erase(digits, ',');
  const Real value = ParseLeadingNumber(digits);

  std::vector<std::string> lines = {
      "(" + std::string(CategoryAt(category).name) + ") " + std::string(unitName) + ": " + std::string(valueText),
      std::string(kDashCount, '-')};
  if (category == kTemperature) {
    AddTemperatureLines(lines, unitName, value);
  } else {
    AddTableLines(lines, category, RowOf(itemData), value);
  }
  lines.emplace_back();
  return lines;
}

void WriteConversion(Engine& engine, EngineHost& host, std::string_view valueText, std::string_view unitName,
                     std::uint32_t itemData) {
  const std::vector<std::string> lines = ConversionLines(valueText, unitName, itemData);
  if (lines.empty()) return;
  for (const std::string& line : lines) engine.AppendTapeLine(line, "");
  if (CategoryOf(itemData) == kVolume) {
    host.SelectTapeLine(engine.state().lastTapeIndex - static_cast<int>(lines.size() - 1));
  }
  engine.EndEntry();
}

}  // namespace tallix::convert
