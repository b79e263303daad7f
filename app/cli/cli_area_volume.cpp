// tallix-cli area and volume: the calculators' result and tape lines for sides
// and units given by name or abbreviation, through the windows' own code.
#include <ostream>

#include "app/cli/cli_commands.h"
#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "tools/area_volume/shape_calculation.h"

namespace tallix::cli {
namespace {

using shapes::ShapeKind;
using shapes::UnitSystem;

// The unit lists give each system its own; a system is one window state, so
// a mix cannot be typed there and is refused here.
std::optional<shapes::UnitMatch> Unit(std::string_view command, std::span<const shapes::UnitList, 2> units,
                                      const std::string& text, std::optional<UnitSystem>& system, std::ostream& err) {
  const auto match = shapes::FindShapeUnit(units, text);
  if (!match) {
    err << "tallix-cli " << command << ": unknown unit " << QuoteInput(text) << "; it takes";
    const char* separator = " ";
    for (const shapes::UnitList& list : units) {
      for (const shapes::ShapeUnit& unit : list) {
        err << separator << unit.name << " (" << unit.abbreviation << ')';
        separator = ", ";
      }
    }
    err << '\n';
    return std::nullopt;
  }
  if (system && *system != match->system) {
    err << "tallix-cli " << command << ": " << QuoteInput(text)
        << " mixes standard and metric units; the calculator takes one system at a time\n";
    return std::nullopt;
  }
  system = match->system;
  return match;
}

int RunShape(std::string_view command, const ShapeKind& kind, Args args, std::ostream& out, std::ostream& err) {
  std::string resultUnit;
  const auto to = std::ranges::find(args, "--to");
  if (to != args.end() && to + 1 != args.end()) {
    resultUnit = *(to + 1);
    args.erase(to, to + 2);
  }
  const auto sideCount = static_cast<std::size_t>(kind.sideCount);
  if (resultUnit.empty() || args.size() != 2 * sideCount) {
    err << "tallix-cli " << command << ": expected";
    for (std::size_t side = 0; side < sideCount; ++side) err << ' ' << shapes::kSideNames[side] << " UNIT";
    err << " --to UNIT\n";
    return 2;
  }

  const std::array<shapes::UnitList, 2> sideLists = {shapes::SideUnits(UnitSystem::kStandard),
                                                     shapes::SideUnits(UnitSystem::kMetric)};
  std::optional<UnitSystem> system;
  shapes::ShapeFields fields;
  bool allNumbers = true;
  for (std::size_t side = 0; side < sideCount; ++side) {
    const auto unit = Unit(command, sideLists, args[2 * side + 1], system, err);
    if (!unit) return 2;
    fields.sideUnits[side] = unit->position;
    fields.sides[side] = shapes::ReformatField(args[2 * side]);
    allNumbers &= ReportIfNotNumber(command, shapes::kSideNames[side], args[2 * side], err);
    if (ShowsNotFinite(fields.sides[side])) {
      err << "tallix-cli " << command << ": " << shapes::kSideNames[side] << ' ' << QuoteInput(args[2 * side])
          << " is too large; the window shows it as " << fields.sides[side] << " and calculates nothing\n";
      return 1;
    }
  }
  const auto result = Unit(command, kind.resultUnits, resultUnit, system, err);
  if (!result) return 2;
  fields.resultUnit = result->position;
  fields.system = *system;

  const auto resultText = shapes::CalculateResult(kind, fields);
  if (!resultText) {
    // A side read as 0 has been said already.
    if (allNumbers) err << "tallix-cli " << command << ": a side of 0 calculates nothing\n";
    return 1;
  }
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  shapes::AppendCalculationTape(engine, kind, fields, *resultText);
  out << *resultText << '\n';
  for (const std::string& line : host.tape) out << line << '\n';
  const bool overflowed = ShowsNotFinite(*resultText);
  if (overflowed) err << "tallix-cli " << command << ": the result is too large to show (" << *resultText << ")\n";
  return allNumbers && !overflowed ? 0 : 1;
}

}  // namespace

int RunArea(const Args& args, std::ostream& out, std::ostream& err) {
  return RunShape("area", shapes::AreaKind(), args, out, err);
}

int RunVolume(const Args& args, std::ostream& out, std::ostream& err) {
  return RunShape("volume", shapes::VolumeKind(), args, out, err);
}

}  // namespace tallix::cli
