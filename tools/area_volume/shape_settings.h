#pragma once
// The area and volume windows' fields in their own section of Tallix.ini:
// read when a window opens, written whole on Calculate.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/settings_port.h"
#include "tools/area_volume/shape_calculation.h"

namespace tallix::shapes {

struct StoredShape {
  std::array<std::string, kMaxSides> sides;
  std::string result;
  bool metric = false;
  // Positions that were stored and name a unit; nothing leaves the list as the
  // system switch set it.
  std::array<std::optional<int>, kMaxSides> sideUnits;
  std::optional<int> resultUnit;
};

StoredShape ReadShapeSettings(SettingsPort& settings, const ShapeKind& kind);

// Every key of the section, in its fixed order.
void WriteShapeSettings(SettingsPort& settings, const ShapeKind& kind, const ShapeFields& fields,
                        std::string_view resultText);

// Only the system, as a switch and Clear keep it.
void WriteShapeSystem(SettingsPort& settings, const ShapeKind& kind, UnitSystem system);

}  // namespace tallix::shapes
