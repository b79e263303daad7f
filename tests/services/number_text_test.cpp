#include "services/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tallix {
namespace {

std::string Digits(const DecimalDigits18& form) { return std::string(form.digits.begin(), form.digits.end()); }

TEST(ToDecimalDigits18, ShortDecimalsBecomeExactTies) {
  const DecimalDigits18 form = ToDecimalDigits18(2.675L);
  EXPECT_EQ(Digits(form), "267500000000000000");
  EXPECT_EQ(form.exponent, 1);
  EXPECT_FALSE(form.negative);
  const DecimalDigits18 negative = ToDecimalDigits18(-0.001L);
  EXPECT_EQ(Digits(negative), "100000000000000000");
  EXPECT_EQ(negative.exponent, -2);
  EXPECT_TRUE(negative.negative);
  const DecimalDigits18 zero = ToDecimalDigits18(0);
  EXPECT_EQ(Digits(zero), std::string(18, '0'));
  EXPECT_EQ(zero.exponent, 0);
}

TEST(ToDecimalDigits18, ExtremesOfTheRange) {
  const DecimalDigits18 largest = ToDecimalDigits18(std::numeric_limits<Real>::max());
  EXPECT_EQ(Digits(largest), "118973149535723177");
  EXPECT_EQ(largest.exponent, 4933);
  const DecimalDigits18 smallest = ToDecimalDigits18(std::numeric_limits<Real>::denorm_min());
  EXPECT_EQ(Digits(smallest), "364519953188247460");
  EXPECT_EQ(smallest.exponent, -4950);
}

TEST(PlainNumberText, Forms) {
  EXPECT_EQ(PlainNumberText(0.5L, 18), ".5");
  EXPECT_EQ(PlainNumberText(-0.125L, 18), "-.125");
  EXPECT_EQ(PlainNumberText(0, 18), "0");
  EXPECT_EQ(PlainNumberText(0, 15, true), " 0");
  EXPECT_EQ(PlainNumberText(12, 15, true), " 12");
  EXPECT_EQ(PlainNumberText(-12, 15, true), "-12");
  EXPECT_EQ(PlainNumberText(1.5e20L, 18), "1.5E+20");
  EXPECT_EQ(PlainNumberText(1e15L, 15), "1E+15");
  EXPECT_EQ(PlainNumberText(123456789012345.0L, 15), "123456789012345");
  EXPECT_EQ(PlainNumberText(1e-15L, 15), ".000000000000001");
  EXPECT_EQ(PlainNumberText(1.5e-15L, 15), "1.5E-15");
  EXPECT_EQ(PlainNumberText(2.0L / 3, 15), ".666666666666667");
  EXPECT_EQ(PlainNumberText(2.0L / 3, 18), ".666666666666666667");
  EXPECT_EQ(PlainNumberText(1234.5L, 18), "1234.5");
  EXPECT_EQ(PlainNumberText(std::numeric_limits<Real>::max(), 18), "1.18973149535723177E+4932");
  EXPECT_EQ(PlainNumberText(0.1L, 18), ".1");
}

TEST(PlainNumberText, FifteenDigitsRoundTheValueNotTheEighteenDigitForm) {
  // 18 digits would give ...4500 and a second rounding would go up.
  const Real value = *ParseNumberExact("1.23456789012344999");
  EXPECT_EQ(PlainNumberText(value, 15), "1.23456789012345");
  const Real below = *ParseNumberExact("1.234567890123449999");
  EXPECT_EQ(PlainNumberText(below, 15), "1.23456789012345");
  const Real clearlyBelow = *ParseNumberExact("1.2345678901234449");
  EXPECT_EQ(PlainNumberText(clearlyBelow, 15), "1.23456789012344");
}

TEST(PlainNumberText, NonFinite) {
  const Real infinity = std::numeric_limits<Real>::infinity();
  EXPECT_EQ(PlainNumberText(infinity, 18), kInfinityText);
  EXPECT_EQ(PlainNumberText(infinity, 15, true), " " + std::string(kInfinityText));
  EXPECT_EQ(PlainNumberText(-infinity, 15, true), kNegativeInfinityText);
  EXPECT_EQ(PlainNumberText(std::numeric_limits<Real>::quiet_NaN(), 18), kNaNText);
}

TEST(ParseNumberExact, AcceptsDecimalAndHexadecimal) {
  EXPECT_EQ(ParseNumberExact("0x8p-3"), 1.0L);
  EXPECT_EQ(ParseNumberExact(" -0x1.8p1 "), -3.0L);
  EXPECT_EQ(ParseNumberExact("0x10"), 16.0L);
  EXPECT_EQ(ParseNumberExact("+2.5e3"), 2500.0L);
  EXPECT_EQ(ParseNumberExact("1."), 1.0L);
  EXPECT_EQ(ParseNumberExact(".5"), 0.5L);
  EXPECT_EQ(ParseNumberExact("0.1"), 0.1L);
  EXPECT_EQ(ParseNumberExact("1e5000"), std::numeric_limits<Real>::infinity());
  EXPECT_EQ(ParseNumberExact("-1e-5000"), -0.0L);
  EXPECT_EQ(ParseNumberExact("3.64519953188247460e-4951"), std::numeric_limits<Real>::denorm_min());
  EXPECT_EQ(ParseNumberExact("1.18973149535723176502e4932"), std::numeric_limits<Real>::max());
  EXPECT_EQ(ParseNumberExact("1.18973149535723176508e4932"), std::numeric_limits<Real>::infinity());
  EXPECT_EQ(ParseNumberExact("-Infinity"), -std::numeric_limits<Real>::infinity());
}

TEST(ParseNumberExact, RejectsMalformedText) {
  for (const char* text :
       {"", " ", "-", ".", "1e", "1e+", "0x", "0xp1", "0x1p", "1..2", "1 2", "abc", "1,000", "--1", "1e5x"}) {
    EXPECT_FALSE(ParseNumberExact(text).has_value()) << text;
  }
}

TEST(ParseNumberExact, RoundsHalfwayCasesToEven) {
  // 1 + 2^-64 lies halfway between 1 and the next value: it goes to even (1).
  EXPECT_EQ(ParseNumberExact("1.0000000000000000000542101086242752217003726400434970855712890625"), 1.0L);
  // One more digit far to the right decides the other way.
  EXPECT_GT(*ParseNumberExact("1.00000000000000000005421010862427522170037264004349708557128906250001"), 1.0L);
  // 1 + 3 * 2^-64 lies halfway between two odd/even neighbours: it goes up.
  // 2^64 + 1 and 2^64 + 3 lie halfway between neighbours two apart.
  EXPECT_EQ(ParseNumberExact("1844674407370955161.7e1"), 18446744073709551616.0L);
  EXPECT_EQ(ParseNumberExact("1844674407370955161.9e1"), 18446744073709551620.0L);
  EXPECT_EQ(ParseNumberExact("0x1.0000000000000001p0"), 1.0L);
  EXPECT_EQ(ParseNumberExact("0x1.0000000000000003p0"), *ParseNumberExact("0x1.0000000000000004p0"));
}

TEST(ParseLeadingNumber, ReadsTheLongestValidBeginning) {
  EXPECT_EQ(ParseLeadingNumber("Div0 Error"), 0.0L);
  EXPECT_EQ(ParseLeadingNumber(""), 0.0L);
  EXPECT_EQ(ParseLeadingNumber("  -12.5abc"), -12.5L);
  EXPECT_EQ(ParseLeadingNumber("+3"), 3.0L);
  EXPECT_EQ(ParseLeadingNumber("1.2.3"), 1.2L);
  EXPECT_EQ(ParseLeadingNumber("1.5E+3x"), 1500.0L);
  EXPECT_EQ(ParseLeadingNumber("2E"), 2.0L);
  EXPECT_EQ(ParseLeadingNumber("2e-"), 2.0L);
  EXPECT_EQ(ParseLeadingNumber("."), 0.0L);
  EXPECT_EQ(ParseLeadingNumber("-"), 0.0L);
  EXPECT_EQ(ParseLeadingNumber("0x10"), 0.0L);
  EXPECT_EQ(ParseLeadingNumber("1e999999999999999999"), std::numeric_limits<Real>::infinity());
}

}  // namespace
}  // namespace tallix
