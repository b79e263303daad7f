#pragma once
// What the area and volume calculators are made of: their sides, the unit
// lists of both systems and the settings section each keeps its fields in.
// A unit is chosen by its position 0 to 3, the same in both systems.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "engine/settings_section.h"

namespace tallix::shapes {

enum class UnitSystem { kStandard, kMetric };

inline constexpr int kUnitsPerList = 4;
inline constexpr int kMaxSides = 3;

struct ShapeUnit {
  std::string_view name;
  std::string_view abbreviation;  // after the number on the tape
};

using UnitList = std::array<ShapeUnit, kUnitsPerList>;

struct ShapeKind {
  std::string_view resultLabel;  // "Area", "Volume"
  std::string_view tapeHeader;
  int sideCount;                        // Length, Width (and Depth): also the power of the result unit
  std::array<UnitList, 2> resultUnits;  // by UnitSystem
  SectionSchema section;
  std::array<std::string_view, kMaxSides> sideUnitKeys;  // "L1", "W1", "H1"
};

inline constexpr std::array<std::string_view, kMaxSides> kSideNames = {"Length", "Width", "Depth"};

const ShapeKind& AreaKind();
const ShapeKind& VolumeKind();

const UnitList& SideUnits(UnitSystem system);
// Base units (inches or millimeters) in one unit at `position`.
double SideFactor(UnitSystem system, int position);

struct UnitMatch {
  UnitSystem system;
  int position;
};

// A unit of `units` (one list per system) by name or abbreviation, letter case aside.
std::optional<UnitMatch> FindShapeUnit(std::span<const UnitList, 2> units, std::string_view nameOrAbbreviation);

}  // namespace tallix::shapes
