#pragma once
// The arithmetic and tape lines of the area and volume calculators, on the
// texts of their fields as the window shows them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "tools/area_volume/shape_kind.h"

namespace tallix::shapes {

// A field's text once it loses the focus: its number (commas ignored, text
// that is not a number as 0) under the calculators' mask, without a
// trailing ".".
std::string ReformatField(std::string_view text);

struct ShapeFields {
  UnitSystem system = UnitSystem::kStandard;
  std::array<std::string, kMaxSides> sides;  // Length, Width, Depth as shown; Depth unused for an area
  std::array<int, kMaxSides> sideUnits{};    // positions 0..3
  int resultUnit = 0;
};

// The result field's text; nothing when a side reads as 0 (negative sides count).
std::optional<std::string> CalculateResult(const ShapeKind& kind, const ShapeFields& fields);

// The header, one line per side with its unit's abbreviation, the result with
// its own, and an empty line.
void AppendCalculationTape(Engine& engine, const ShapeKind& kind, const ShapeFields& fields,
                           std::string_view resultText);

}  // namespace tallix::shapes
