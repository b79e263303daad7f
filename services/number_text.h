#pragma once
// Exact conversions between the extended type and decimal text.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "real.h"

namespace tallix {

// A finite value as 0.d1 d2 ... d18 x 10^exponent, correctly rounded to
// 18 significant digits, ties to even. Zero has 18 zero digits and exponent 0.
struct DecimalDigits18 {
  bool negative = false;
  std::array<char, 18> digits{};  // '0'..'9'
  int exponent = 0;
};

// Meant for finite values; an infinity or NaN gives the zero form rather than
// failing (callers print the texts below for them instead).
DecimalDigits18 ToDecimalDigits18(Real value);

// Texts for values that are not finite, used wherever a number is written:
// by PlainNumberText (a non-negative one after the leading space, if asked),
// FormatNumber (whatever the mask) and each field of FormatUsing.
inline constexpr std::string_view kInfinityText = "Infinity";
inline constexpr std::string_view kNegativeInfinityText = "-Infinity";
inline constexpr std::string_view kNaNText = "NaN";

// The plain number text: `significantDigits` (15 or 18) significant digits,
// no trailing zeros, ".5" without a leading zero, "1.5E+20" exponent form when
// the digits do not fit; with `leadingSpace` a non-negative value starts with a blank.
std::string PlainNumberText(Real value, int significantDigits, bool leadingSpace = false);

// For a finite value: what ParseLeadingNumber reads from
// PlainNumberText(value, significantDigits), found without making the text.
Real ReadBackPlainNumber(Real value, int significantDigits);

// Parses the whole text (surrounding blanks allowed) as a decimal number with an
// optional exponent, or a C hexadecimal-float literal such as "0x8p-3",
// correctly rounded to the nearest extended value. Empty or malformed: nullopt.
std::optional<Real> ParseNumberExact(std::string_view text);

// Reads the longest valid beginning of the text as a number: leading blanks, an
// optional sign, digits, at most one point, an optional exponent ("E", sign,
// digits); stops at the first other character. Nothing valid reads as 0, so
// "Div0 Error" reads as 0. Correctly rounded.
Real ParseLeadingNumber(std::string_view text);

}  // namespace tallix
