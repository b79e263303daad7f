// The area and volume calculators' arithmetic, field texts and tape lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "tools/area_volume/shape_calculation.h"
#include "tools/area_volume/shape_settings.h"

namespace tallix::shapes {
namespace {

ShapeFields Fields(UnitSystem system, std::array<std::string, kMaxSides> sides, std::array<int, kMaxSides> units,
                   int result) {
  return {system, std::move(sides), units, result};
}

TEST(ShapeCalculation, ConvertsEachSideToTheBaseUnitAndTheProductToTheResultUnit) {
  const auto metric = UnitSystem::kMetric;
  const auto standard = UnitSystem::kStandard;
  EXPECT_EQ(CalculateResult(VolumeKind(), Fields(standard, {"10", "10", "4"}, {1, 1, 0}, 2)), "1.2346");
  EXPECT_EQ(CalculateResult(AreaKind(), Fields(metric, {"2", "50", ""}, {2, 1, 0}, 2)), "1");
  EXPECT_EQ(CalculateResult(AreaKind(), Fields(metric, {"2", "50", ""}, {2, 1, 0}, 1)), "10,000");
  EXPECT_EQ(CalculateResult(AreaKind(), Fields(standard, {"1", "1", ""}, {3, 3, 0}, 0)), "4,014,489,600");
  EXPECT_EQ(CalculateResult(VolumeKind(), Fields(metric, {"1,000", "1", "1"}, {3, 3, 3}, 3)), "1,000");
  EXPECT_EQ(CalculateResult(VolumeKind(), Fields(standard, {"-3", "1", "1"}, {1, 1, 1}, 2)), "-0.1111");
}

TEST(ShapeCalculation, AZeroOrNonNumericSideCalculatesNothing) {
  EXPECT_FALSE(CalculateResult(VolumeKind(), Fields(UnitSystem::kStandard, {"10", "10", ""}, {1, 1, 1}, 1)));
  EXPECT_FALSE(CalculateResult(AreaKind(), Fields(UnitSystem::kMetric, {"abc", "10", ""}, {1, 1, 1}, 1)));
  // The area has no depth to be zero.
  EXPECT_TRUE(CalculateResult(AreaKind(), Fields(UnitSystem::kMetric, {"1", "10", ""}, {1, 1, 1}, 1)));
}

TEST(ShapeCalculation, FieldsAreReformattedAsNumbers) {
  EXPECT_EQ(ReformatField("1,250"), "1,250");
  EXPECT_EQ(ReformatField("1250.50"), "1,250.5");
  EXPECT_EQ(ReformatField("abc"), "0");
  EXPECT_EQ(ReformatField(""), "0");
  EXPECT_EQ(ReformatField("-0.00001"), "-0");
}

TEST(ShapeCalculation, TapeNamesEachSideAndTheResultWithAbbreviations) {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  AppendCalculationTape(engine, VolumeKind(), Fields(UnitSystem::kStandard, {"10", "10", "4"}, {1, 1, 0}, 2), "1.2346");
  AppendCalculationTape(engine, AreaKind(), Fields(UnitSystem::kMetric, {"2", "50", "9"}, {2, 1, 2}, 3), "0");
  EXPECT_EQ(host.tape, (std::vector<std::string>{"Volume Calculation...", "Length: 10 ft", "Width: 10 ft",
                                                 "Depth: 4 in", "Result = 1.2346 cu.yd", "", "Area Calculation...",
                                                 "Length: 2 m", "Width: 50 cm", "Result = 0 sq.km", ""}));
}

// Writes recorded in order, on top of a map that reads them back.
class RecordingSettings : public MemorySettings {
 public:
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    written += std::string(section) + "/" + std::string(key) + "=" + std::string(value) + " ";
    MemorySettings::Write(section, key, value);
  }
  std::string written;
};

TEST(ShapeSettings, CalculateWritesEveryKeyInOrderAndOpeningReadsThemBack) {
  RecordingSettings settings;
  WriteShapeSettings(settings, VolumeKind(), Fields(UnitSystem::kMetric, {"1", "2,000", "3"}, {0, 1, 2}, 3), "6");
  EXPECT_EQ(settings.written,
            "Volume Settings/Metric=1 Volume Settings/Length=1 Volume Settings/Width=2,000 Volume Settings/Depth=3 "
            "Volume Settings/Result=6 Volume Settings/L1=0 Volume Settings/W1=1 Volume Settings/H1=2 "
            "Volume Settings/R1=3 ");
  const StoredShape stored = ReadShapeSettings(settings, VolumeKind());
  EXPECT_TRUE(stored.metric);
  EXPECT_EQ(stored.sides[1], "2,000");
  EXPECT_EQ(stored.sideUnits[2], 2);
  EXPECT_EQ(stored.resultUnit, 3);

  settings.written.clear();
  WriteShapeSettings(settings, AreaKind(), Fields(UnitSystem::kStandard, {"1", "2", "9"}, {1, 1, 1}, 0), "2");
  EXPECT_EQ(settings.written,
            "Area Settings/Metric=0 Area Settings/Length=1 Area Settings/Width=2 Area Settings/Result=2 "
            "Area Settings/L1=1 Area Settings/W1=1 Area Settings/R1=0 ");
}

// A first run, or a hand-edited file: nothing stored, or positions that name no unit.
TEST(ShapeSettings, MissingOrUnusablePositionsLeaveTheListsAlone) {
  MemorySettings settings;
  StoredShape stored = ReadShapeSettings(settings, AreaKind());
  EXPECT_FALSE(stored.metric);
  EXPECT_EQ(stored.sides[0], "");
  EXPECT_FALSE(stored.sideUnits[0]);
  EXPECT_FALSE(stored.resultUnit);
  settings.Write("Area Settings", "L1", "7");
  settings.Write("Area Settings", "W1", "-1");
  settings.Write("Area Settings", "R1", "4");
  settings.Write("Area Settings", "Metric", "2");
  stored = ReadShapeSettings(settings, AreaKind());
  EXPECT_FALSE(stored.sideUnits[0] || stored.sideUnits[1] || stored.resultUnit);
  EXPECT_TRUE(stored.metric);
}

}  // namespace
}  // namespace tallix::shapes
