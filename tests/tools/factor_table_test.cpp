// The converter's factor table: its shape, the texts read exactly, and the
// inverse pairs that disagree, pinned so that any change to the table shows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "services/number_text.h"
#include "tools/convert/unit_catalog.h"

namespace tallix::convert {
namespace {

int UnitCount(int category) { return static_cast<int>(CategoryAt(category).units.size()); }

std::string Factor(int category, int from, int to) {
  return std::string(FactorTexts()[static_cast<std::size_t>(RowPosition(category, from) + to - 1)]);
}

// The significant digits of a decimal text and the power of ten of the first.
struct Significant {
  std::string digits;
  int exponent = 0;
};

Significant SignificantOf(std::string_view text) {
  Significant result;
  const std::size_t point = text.find('.');
  const int integerDigits = static_cast<int>(point == std::string_view::npos ? text.size() : point);
  int place = 0;
  for (const char c : text) {
    if (c == '.') continue;
    ++place;
    if (result.digits.empty() && c == '0') continue;
    if (result.digits.empty()) result.exponent = integerDigits - place + 1;
    result.digits.push_back(c);
  }
  while (!result.digits.empty() && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

// Half a unit in the last place written, relative to the value.
double RelativePrecision(std::string_view text) {
  const std::size_t point = text.find('.');
  const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
  return 0.5 * std::pow(10.0, -decimals) / static_cast<double>(ParseLeadingNumber(text));
}

TEST(FactorTable, HoldsOneRowPerUnitAtItsPosition) {
  EXPECT_EQ(FactorTexts().size(), 626u);
  const int units[] = {3, 10, 14, 9, 10, 10, 7};
  const int firstRows[] = {1, 1, 101, 297, 378, 478, 578};
  const int lastRows[] = {1, 91, 283, 369, 468, 568, 620};
  for (int category = 1; category <= kCategoryCount; ++category) {
    SCOPED_TRACE(CategoryAt(category).name);
    const int count = UnitCount(category);
    EXPECT_EQ(count, units[category - 1]);
    EXPECT_EQ(RowPosition(category, 0), firstRows[category - 1]);
    EXPECT_EQ(RowPosition(category, count - 1), lastRows[category - 1]);
    const std::uint32_t data = ItemData(category, count - 1);
    EXPECT_EQ(CategoryOf(data), category);
    EXPECT_EQ(RowOf(data), lastRows[category - 1]);
    if (category == kTemperature) continue;
    // Only the diagonal is exactly 1, so the conversion leaves out the source unit alone.
    for (int from = 0; from < count; ++from) {
      for (int to = 0; to < count; ++to) {
        EXPECT_EQ(ParseNumberExact(Factor(category, from, to)) == 1, from == to) << from << "," << to;
      }
    }
  }
  EXPECT_EQ(FindUnit("nautical MILES")->unit, 8);
  EXPECT_EQ(FindUnit("Milliliters (cc)")->category, kVolume);
  EXPECT_FALSE(FindUnit("Milliliters"));
}

// Each text becomes the extended value nearest to it: to 18 digits it reads
// back as written (the type holds more than 19).
TEST(FactorTable, EveryEntryIsReadExactly) {
  for (const std::string_view text : FactorTexts()) {
    SCOPED_TRACE(text);
    const auto value = ParseNumberExact(text);
    ASSERT_TRUE(value);
    const Significant written = SignificantOf(text);
    const DecimalDigits18 read = ToDecimalDigits18(*value);
    std::string readDigits(read.digits.begin(), read.digits.end());
    while (!readDigits.empty() && readDigits.back() == '0') readDigits.pop_back();
    if (written.digits.empty()) {
      EXPECT_EQ(*value, 0);
    } else if (written.digits.size() <= 18) {
      EXPECT_EQ(readDigits, written.digits);
      EXPECT_EQ(read.exponent, written.exponent);
    } else {
      EXPECT_EQ(readDigits.substr(0, 17), written.digits.substr(0, 17));
    }
  }
}

// A factor times its inverse entry should be 1 within what the two texts
// can say; the pairs below are not, and stay as they are.
TEST(FactorTable, InversePairsThatDisagreeArePinned) {
  std::vector<std::string> disagreeing;
  for (int category = 2; category <= kCategoryCount; ++category) {
    const auto units = CategoryAt(category).units;
    for (int from = 0; from < UnitCount(category); ++from) {
      for (int to = from + 1; to < UnitCount(category); ++to) {
        const std::string there = Factor(category, from, to), back = Factor(category, to, from);
        const double product = static_cast<double>(ParseLeadingNumber(there) * ParseLeadingNumber(back));
        const double tolerance = RelativePrecision(there) + RelativePrecision(back);
        // A zero entry has no inverse at all.
        if (product == 0 || !(std::abs(product - 1) <= tolerance)) {
          disagreeing.push_back(std::string(units[static_cast<std::size_t>(from)]) + " <> " +
                                std::string(units[static_cast<std::size_t>(to)]));
        }
      }
    }
  }
  const std::vector<std::string> expected = {"Miles <> Nautical Miles",
                                             "Millimeters <> Light Years",
                                             "Centimeters <> Light Years",
                                             "Meters <> Light Years",
                                             "Kilometers <> Light Years",
                                             "Teaspoons <> Cu.Inches",
                                             "Teaspoons <> Milliliters (cc)",
                                             "Teaspoons <> Liters",
                                             "Teaspoons <> Cu.Meters",
                                             "Teaspoons <> Bushels",
                                             "Tablespoons <> Milliliters (cc)",
                                             "Tablespoons <> Liters",
                                             "Tablespoons <> Cu.Meters",
                                             "Tablespoons <> Bushels",
                                             "Fluid Ounces <> Cu.Feet",
                                             "Fluid Ounces <> Milliliters (cc)",
                                             "Fluid Ounces <> Liters",
                                             "Fluid Ounces <> Cu.Meters",
                                             "Cups <> Cu.Feet",
                                             "Cups <> Milliliters (cc)",
                                             "Cups <> Liters",
                                             "Cups <> Cu.Meters",
                                             "Cups <> Bushels",
                                             "Pints <> Cu.Feet",
                                             "Pints <> Milliliters (cc)",
                                             "Pints <> Liters",
                                             "Pints <> Cu.Meters",
                                             "Pints <> Bushels",
                                             "Quarts <> Cu.Feet",
                                             "Quarts <> Cu.Yards",
                                             "Quarts <> Milliliters (cc)",
                                             "Quarts <> Liters",
                                             "Quarts <> Cu.Meters",
                                             "Quarts <> Bushels",
                                             "Gallons <> Cu.Feet",
                                             "Gallons <> Cu.Yards",
                                             "Gallons <> Bushels",
                                             "Cu.Inches <> Milliliters (cc)",
                                             "Cu.Inches <> Liters",
                                             "Cu.Inches <> Cu.Meters",
                                             "Cu.Feet <> Milliliters (cc)",
                                             "Cu.Feet <> Liters",
                                             "Cu.Feet <> Cu.Meters",
                                             "Cu.Feet <> Bushels",
                                             "Cu.Yards <> Milliliters (cc)",
                                             "Cu.Yards <> Liters",
                                             "Cu.Yards <> Cu.Meters",
                                             "Cu.Yards <> Bushels",
                                             "Ounces <> Milligrams",
                                             "Ounces <> Kilograms",
                                             "Ounces <> Metric Tons",
                                             "Ounces <> Carats",
                                             "Pounds <> Grams",
                                             "Tons <> Grams",
                                             "Sq.Yards <> Acres",
                                             "Sq.Miles <> Acres",
                                             "Sq.Kilometers <> Acres",
                                             "Hectares <> Acres",
                                             "Inches/sec <> knots",
                                             "Inches/sec <> Mach",
                                             "Feet/sec <> Mach",
                                             "Feet/min <> knots",
                                             "Feet/min <> Mach",
                                             "Miles/hr <> Mach",
                                             "Centimeters/sec <> knots",
                                             "Meters/sec <> knots",
                                             "Meters/min <> knots"};
  EXPECT_EQ(disagreeing, expected) << ::testing::PrintToString(disagreeing);
}

}  // namespace
}  // namespace tallix::convert
