#include "services/format_mask.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "services/number_text.h"

namespace tallix {
namespace {

struct Case {
  const char* mask;
  Real value;
  const char* expected;
};

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.mask), c.expected)
        << "mask " << c.mask << " value " << PlainNumberText(c.value, 18);
  }
}

TEST(FormatNumber, DisplayMasks) {
  ExpectAll({
      {"###########0.0", 5, "5.0"},
      {"###########0.0", -5, "-5.0"},
      {"###########0.0", 0.25L, "0.2"},
      {"###########0.0", 1234567.25L, "1234567.2"},
      {"###########0.00", 0.125L, "0.12"},
      {"###########0.00", 0.375L, "0.38"},
      {"###########0.00", -0.001L, "-0.00"},
      {"###########0.00", 2.675L, "2.68"},
      {"###########0.00", 2.665L, "2.66"},
      {"###########0.00", 9.996L, "10.00"},
      {"###########0.000", 2, "2.000"},
      {"###########0.0000", 2, "2.0000"},
      {"###########0.##########", 12, "12."},
      {"###########0.##########", 12.5L, "12.5"},
      {"###########0.##########", 2.0L / 3, "0.6666666667"},
      {"###########0.##########", 0, "0."},
  });
}

TEST(FormatNumber, GroupingAndLiterals) {
  ExpectAll({
      {"#,.00", 0, "0.00"},
      {"#,.00", 0.5L, "0.50"},
      {"#,.00", 1234, "1,234.00"},
      {"#,.00", -1234.5L, "-1,234.50"},
      {"#,.00", -123, "-123.00"},
      {"#,.00", 123456, "123,456.00"},
      {"$#,###,###.00", 1234567.891L, "$1,234,567.89"},
      {"$#,###,###.00", 12345678.9L, "$12,345,678.90"},
      {"$#,###,###.00", -1234.5L, "$-1,234.50"},
      {"###,###,###,###.####", 2.5L, "2.5"},
      {"###,###,###,###.####", 3, "3."},
      {"###,###,###,###.####", 0, "0."},
      {"###,###,###,###.####", 1234.56789L, "1,234.5679"},
      {"###,###,###,###.####", 1e20L, "100,000,000,000,000,000,000."},
      {"0,000", 5, "0,005"},
      {"(###) ###-####", 5551234567.0L, "(555) 123-4567"},
      {"\"Total: \"#.00", 3, "Total: 3.00"},
      {"\\##", 7, "#7"},
  });
}

TEST(FormatNumber, PercentAndPadding) {
  ExpectAll({
      {"0.00%", 0.0825L, "8.25%"},
      {"0.00%", 1, "100.00%"},
      {"0.00%", -0.05L, "-5.00%"},
      {"0.00%", 0, "0.00%"},
      {"00", 7, "07"},
      {"00", 123, "123"},
      {"00", 0.7L, "01"},
      {"0000", 5, "0005"},
      {"%0", 5, "5"},
  });
}

TEST(FormatNumber, TiesRoundToEvenOnTheDecimalDigits) {
  ExpectAll({
      {"00", 2.5L, "02"},
      {"00", 3.5L, "04"},
      {"0", 0.5L, "0"},
      {"0", 1.5L, "2"},
      {"#", -0.4L, "0"},
      {"###########0.00", 0.12500000000000001L, "0.13"},
      {"###########0.00", -0.125L, "-0.12"},
  });
}

// Down and Up on the value's 18 significant digits, by its magnitude, in every
// kind of section: percent, grouping, the negative section, a carry into a new
// digit, a value below the last place, the 18th digit itself.
TEST(FormatNumber, DownAndUpLetGoOfTheMagnitudesDigits) {
  struct RuleCase {
    const char* mask;
    Real value;
    const char* down;
    const char* up;
  };
  for (const RuleCase& c : std::initializer_list<RuleCase>{
           {"0.0%", 0.12345L, "12.3%", "12.4%"},
           {"#,##0", 1234.5L, "1,234", "1,235"},
           {"0.0;(0.0)", -1.25L, "(1.2)", "(1.3)"},
           {"0.00", -1.25L, "-1.25", "-1.25"},
           {"0.00", 9.999L, "9.99", "10.00"},
           {"0.00", 0.001L, "0.00", "0.01"},
           {"0.00", 0.3L, "0.30", "0.30"},
           {"0.0000000000000000", 1.0L / 3, "0.3333333333333333", "0.3333333333333334"},
           {"0", 2.0L / 3 * 1e18L, "666666666666666667", "666666666666666667"},
       }) {
    EXPECT_EQ(FormatNumber(c.value, c.mask, RoundingRule::kTowardZero), c.down) << c.mask << " " << c.down;
    EXPECT_EQ(FormatNumber(c.value, c.mask, RoundingRule::kAwayFromZero), c.up) << c.mask << " " << c.up;
  }
}

TEST(FormatNumber, Sections) {
  ExpectAll({
      {"0.0;(0.0);\"zero\"", 1.5L, "1.5"},
      {"0.0;(0.0);\"zero\"", -1.5L, "(1.5)"},
      {"0.0;(0.0);\"zero\"", 0, "zero"},
      {"0.0;;\"zero\"", -1.5L, "-1.5"},
      {"0.0;(0.0)", 0, "0.0"},
      {"\";\"0", 4, ";4"},
      {"0\\;0", 45, "4;5"},
      {";", 1.5L, "1.5"},
      {"", -2.25L, "-2.25"},
  });
}

TEST(FormatNumber, NeverCutsDigitsAndSurvivesOddMasks) {
  const std::string huge = FormatNumber(std::numeric_limits<Real>::max(), "#");
  EXPECT_EQ(huge.size(), 4933u);
  EXPECT_EQ(huge.substr(0, 18), "118973149535723177");
  EXPECT_EQ(huge.substr(18).find_first_not_of('0'), std::string::npos);
  EXPECT_EQ(FormatNumber(std::numeric_limits<Real>::denorm_min(), "0.00"), "0.00");
  for (const char* mask : {"\"unterminated", "0\\", "*", "abc", ";;;;", ".", "%", "E+0", ".00", "#.#.#"}) {
    EXPECT_NO_THROW(FormatNumber(-12.5L, mask)) << mask;
  }
  EXPECT_EQ(FormatNumber(12.5L, "abc"), "");
  EXPECT_EQ(FormatNumber(0.5L, ".00"), "0.50");
  EXPECT_EQ(FormatNumber(12.5L, "0.0E+00"), "12.5E+00");
}

TEST(FormatNumber, NonFiniteValuesHaveFixedTexts) {
  const Real infinity = std::numeric_limits<Real>::infinity();
  EXPECT_EQ(FormatNumber(infinity, "#,.00"), kInfinityText);
  EXPECT_EQ(FormatNumber(-infinity, "#,.00"), kNegativeInfinityText);
  EXPECT_EQ(FormatNumber(std::numeric_limits<Real>::quiet_NaN(), "0.00"), kNaNText);
}

TEST(FormatUsing, FieldMasks) {
  EXPECT_EQ(FormatUsing("###,###,###", {1234567}), "  1,234,567");
  EXPECT_EQ(FormatUsing("##,###.#######", {12.5L}), "    12.5000000");
  EXPECT_EQ(FormatUsing("##,###.#######", {123456.78L}), "123,456.7800000");
  EXPECT_EQ(FormatUsing("##,###.#######", {0.5L}), "     0.5000000");
  EXPECT_EQ(FormatUsing("#_.#_.#_.#", {192, 168, 1, 10}), "192.168.1.10");
  EXPECT_EQ(FormatUsing("###", {-5}), " -5");
  EXPECT_EQ(FormatUsing("###", {-1234}), "-1234");
  EXPECT_EQ(FormatUsing("#.#", {0.25L, 0.35L}), "0.20.4");
  EXPECT_EQ(FormatUsing("Rate: ##.# MB/s", {3.25L}), "Rate:  3.2 MB/s");
}

TEST(FormatUsing, ValueCountDiffersFromFieldCount) {
  EXPECT_EQ(FormatUsing("[##] [##]", {1}), "[ 1] [");
  EXPECT_EQ(FormatUsing("<##>", {1, 2}), "< 1>< 2>");
  EXPECT_EQ(FormatUsing("no fields", {1, 2}), "no fields");
  EXPECT_EQ(FormatUsing("x##", std::span<const Real>()), "x");
  EXPECT_EQ(FormatUsing("###", {std::numeric_limits<Real>::infinity()}), std::string(kInfinityText));
  EXPECT_NO_THROW(FormatUsing("_", {1}));
}

}  // namespace
}  // namespace tallix
