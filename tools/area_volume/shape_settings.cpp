#include "tools/area_volume/shape_settings.h"

#include "services/number_text.h"

namespace tallix::shapes {
namespace {

constexpr std::string_view kMetricKey = "Metric";
constexpr std::string_view kResultKey = "Result";
constexpr std::string_view kResultUnitKey = "R1";

std::optional<int> StoredPosition(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const Real position = ParseLeadingNumber(text);
  if (!(position >= 0 && position < kUnitsPerList)) return std::nullopt;
  return static_cast<int>(position);
}

std::size_t Index(int side) { return static_cast<std::size_t>(side); }

}  // namespace

StoredShape ReadShapeSettings(SettingsPort& settings, const ShapeKind& kind) {
  const SectionValues values = SectionValues::Read(settings, kind.section);
  StoredShape stored;
  for (int side = 0; side < kind.sideCount; ++side) {
    stored.sides[Index(side)] = values.Get(kSideNames[Index(side)]);
    stored.sideUnits[Index(side)] = StoredPosition(values.Get(kind.sideUnitKeys[Index(side)]));
  }
  stored.result = values.Get(kResultKey);
  stored.resultUnit = StoredPosition(values.Get(kResultUnitKey));
  stored.metric = ParseLeadingNumber(values.Get(kMetricKey)) != 0;
  return stored;
}

void WriteShapeSettings(SettingsPort& settings, const ShapeKind& kind, const ShapeFields& fields,
                        std::string_view resultText) {
  SectionValues values = SectionValues::Read(settings, kind.section);
  values.Set(kMetricKey, fields.system == UnitSystem::kMetric ? "1" : "0");
  for (int side = 0; side < kind.sideCount; ++side) {
    values.Set(kSideNames[Index(side)], fields.sides[Index(side)]);
    values.Set(kind.sideUnitKeys[Index(side)], std::to_string(fields.sideUnits[Index(side)]));
  }
  values.Set(kResultKey, std::string(resultText));
  values.Set(kResultUnitKey, std::to_string(fields.resultUnit));
  values.Write(settings);
}

void WriteShapeSystem(SettingsPort& settings, const ShapeKind& kind, UnitSystem system) {
  settings.Write(kind.section.section, kMetricKey, system == UnitSystem::kMetric ? "1" : "0");
}

}  // namespace tallix::shapes
