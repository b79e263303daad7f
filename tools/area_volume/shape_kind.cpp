#include "tools/area_volume/shape_kind.h"

#include <algorithm>

#include "services/ascii_case.h"

namespace tallix::shapes {
namespace {

constexpr std::array<UnitList, 2> kSideUnits = {{
    {{{"Inches", "in"}, {"Feet", "ft"}, {"Yards", "yd"}, {"Miles", "mi"}}},
    {{{"Millimeters", "mm"}, {"Centimeters", "cm"}, {"Meters", "m"}, {"Kilometers", "km"}}},
}};

constexpr std::array<std::array<double, kUnitsPerList>, 2> kSideFactors = {
    {{1, 12, 36, 63360}, {1, 10, 1000, 1000000}}};

constexpr SettingKey kAreaKeys[] = {{"Metric", "0"}, {"Length"}, {"Width"}, {"Result"}, {"L1"}, {"W1"}, {"R1"}};
constexpr SettingKey kVolumeKeys[] = {{"Metric", "0"}, {"Length"}, {"Width"}, {"Depth"}, {"Result"},
                                      {"L1"},          {"W1"},     {"H1"},    {"R1"}};

const ShapeKind kArea = {
    "Area",
    "Area Calculation...",
    2,
    {{{{{"Sq.Inches", "sq.in"}, {"Sq.Feet", "sq.ft"}, {"Sq.Yards", "sq.yd"}, {"Sq.Miles", "sq.mi"}}},
      {{{"Sq.Millimeters", "sq.mm"}, {"Sq.Centimeters", "sq.cm"}, {"Sq.Meters", "sq.m"}, {"Sq.Kilometers", "sq.km"}}}}},
    {"Area Settings", kAreaKeys},
    {"L1", "W1", ""},
};

const ShapeKind kVolume = {
    "Volume",
    "Volume Calculation...",
    3,
    {{{{{"Cu.Inches", "cu.in"}, {"Cu.Feet", "cu.ft"}, {"Cu.Yards", "cu.yd"}, {"Cu.Miles", "cu.mi"}}},
      {{{"Cu.Millimeters", "cu.mm"}, {"Cu.Centimeters", "cu.cm"}, {"Cu.Meters", "cu.m"}, {"Cu.Kilometers", "cu.km"}}}}},
    {"Volume Settings", kVolumeKeys},
    {"L1", "W1", "H1"},
};

}  // namespace

const ShapeKind& AreaKind() { return kArea; }
const ShapeKind& VolumeKind() { return kVolume; }

const UnitList& SideUnits(UnitSystem system) { return kSideUnits[static_cast<std::size_t>(system)]; }

double SideFactor(UnitSystem system, int position) {
  return kSideFactors[static_cast<std::size_t>(system)][static_cast<std::size_t>(std::clamp(position, 0, 3))];
}

std::optional<UnitMatch> FindShapeUnit(std::span<const UnitList, 2> units, std::string_view nameOrAbbreviation) {
  for (const UnitSystem system : {UnitSystem::kStandard, UnitSystem::kMetric}) {
    const UnitList& list = units[static_cast<std::size_t>(system)];
    for (int position = 0; position < kUnitsPerList; ++position) {
      const ShapeUnit& unit = list[static_cast<std::size_t>(position)];
      if (EqualsIgnoringCase(unit.name, nameOrAbbreviation) ||
          EqualsIgnoringCase(unit.abbreviation, nameOrAbbreviation)) {
        return UnitMatch{system, position};
      }
    }
  }
  return std::nullopt;
}

}  // namespace tallix::shapes
