// The converter's tape block, written through the engine as the popup writes it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "tools/convert/conversion.h"
#include "tools/convert/unit_catalog.h"

namespace tallix::convert {
namespace {

using Lines = std::vector<std::string>;

class ConversionTest : public ::testing::Test {
 protected:
  class SelectingHost : public BasicEngineHost {
   public:
    void SelectTapeLine(int index) override { selected = index; }
    int selected = -1;
  };

  // The display text as the popup takes it, converted from `unit`.
  Lines Convert(std::string_view display, std::string_view unit) {
    const UnitRef ref = FindUnit(unit).value();
    host.tape.clear();
    const std::string_view name = CategoryAt(ref.category).units[static_cast<std::size_t>(ref.unit)];
    WriteConversion(engine, host, ValueText(display), name, ItemData(ref.category, ref.unit));
    return host.tape;
  }

  SelectingHost host;
  MemorySettings settings;
  Engine engine{host, settings};
};

TEST_F(ConversionTest, WritesEveryOtherUnitOfTheCategoryBetweenHeaderAndEmptyLine) {
  EXPECT_EQ(Convert("12", "Inches"),
            (Lines{"(Length) Inches: 12", std::string(26, '-'), "Feet: 1", "Yards: 0.3333", "Miles: 0.0002",
                   "Millimeters: 304.8", "Centimeters: 30.48", "Meters: 0.3048", "Kilometers: 0.0003",
                   "Nautical Miles: 0.0002", "Light Years: 0", ""}));
  EXPECT_EQ(Convert("1,000,000", "Meters")[10], "Light Years: 0");
  EXPECT_EQ(Convert("1", "Ounces")[5], "Grams: 28.349");
  EXPECT_EQ(Convert("1", "Mach")[7], "Meters/sec: 331.46");
  EXPECT_EQ(Convert("2", "Years (365 Days)")[7], "Months (30 Days): 24.3333");
}

TEST_F(ConversionTest, TemperatureUsesTheSinglePrecisionConstantsAndKeepsThePoint) {
  EXPECT_EQ(Convert("100", "Celsius"),
            (Lines{"(Temperature) Celsius: 100", std::string(26, '-'), "Fahrenheit: 212.", "Kelvin: 373.15", ""}));
  EXPECT_EQ(Convert("0", "Kelvin"),
            (Lines{"(Temperature) Kelvin: 0", std::string(26, '-'), "Fahrenheit: -459.67", "Celsius: -273.15", ""}));
  EXPECT_EQ(Convert("-40", "fahrenheit")[2], "Celsius: -40.");
}

TEST_F(ConversionTest, TheDisplayTextNamesTheValueAsShown) {
  EXPECT_EQ(Convert("1,234.5", "Feet")[0], "(Length) Feet: 1,234.5");
  EXPECT_EQ(host.tape[2], "Inches: 14,814");
  EXPECT_EQ(Convert("12.", "Feet")[0], "(Length) Feet: 12");
  EXPECT_EQ(host.tape[2], "Inches: 144");
  // Not a number: every result is 0.
  const Lines error = Convert("Div0 Error", "Hours");
  EXPECT_EQ(error[0], "(Time) Hours: Div0 Error");
  for (std::size_t i = 2; i + 1 < error.size(); ++i) EXPECT_TRUE(error[i].ends_with(": 0")) << error[i];
}

TEST_F(ConversionTest, VolumeShowsItsBlockFromTheHeaderAndTheEntryEnds) {
  engine.PressKey(Key::D3);
  Convert("3", "Liters");
  EXPECT_EQ(host.tape.size(), 16u);
  EXPECT_EQ(host.selected, 0);
  EXPECT_EQ(engine.state().entryText, "");
  engine.PressKey(Key::D7);
  EXPECT_EQ(host.GetDisplayText(), "7");

  Convert("3", "Grams");
  EXPECT_EQ(host.selected, engine.state().lastTapeIndex);
}

TEST_F(ConversionTest, ItemsThatAreNoUnitWriteNothing) {
  WriteConversion(engine, host, "5", "Length", 0);
  WriteConversion(engine, host, "5", "Convert from 5", 8);
  EXPECT_TRUE(host.tape.empty());
}

}  // namespace
}  // namespace tallix::convert
