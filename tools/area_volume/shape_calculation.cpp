#include "tools/area_volume/shape_calculation.h"

#include <algorithm>

#include "services/format_mask.h"
#include "services/number_text.h"

namespace tallix::shapes {
namespace {

constexpr std::string_view kMask = "###,###,###,###.####";

std::string FormatField(Real value) {
  std::string text = FormatNumber(value, kMask);
  if (text.ends_with('.')) text.pop_back();
  return text;
}

std::size_t Index(int value) { return static_cast<std::size_t>(value); }

// The number a field holds: commas ignored, the leading number of the text,
// 0 when there is none.
double FieldValue(std::string_view text) {
  std::string digits(text);
  std::erase(digits, ',');
  return static_cast<double>(ParseLeadingNumber(digits));
}

}  // namespace

std::string ReformatField(std::string_view text) { return FormatField(FieldValue(text)); }

std::optional<std::string> CalculateResult(const ShapeKind& kind, const ShapeFields& fields) {
  double product = 1;
  for (int side = 0; side < kind.sideCount; ++side) {
    const double value = FieldValue(fields.sides[Index(side)]);
    if (value == 0) return std::nullopt;
    product *= value * SideFactor(fields.system, fields.sideUnits[Index(side)]);
  }
  // The power by repeated products, exact for every factor (a library pow
  // need not be), and one division by it.
  double divisor = 1;
  for (int power = 0; power < kind.sideCount; ++power) divisor *= SideFactor(fields.system, fields.resultUnit);
  return FormatField(product / divisor);
}

void AppendCalculationTape(Engine& engine, const ShapeKind& kind, const ShapeFields& fields,
                           std::string_view resultText) {
  const UnitList& sideUnits = SideUnits(fields.system);
  const auto unit = [](const UnitList& list, int position) { return list[Index(std::clamp(position, 0, 3))]; };
  engine.AppendTapeLine(kind.tapeHeader, "");
  for (int side = 0; side < kind.sideCount; ++side) {
    engine.AppendTapeLine(std::string(kSideNames[Index(side)]) + ": " + fields.sides[Index(side)],
                          unit(sideUnits, fields.sideUnits[Index(side)]).abbreviation);
  }
  const UnitList& resultUnits = kind.resultUnits[static_cast<std::size_t>(fields.system)];
  engine.AppendTapeLine("Result = " + std::string(resultText), unit(resultUnits, fields.resultUnit).abbreviation);
  engine.AppendTapeLine("", "");
}

}  // namespace tallix::shapes
