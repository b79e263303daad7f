// Exact text-to-value conversion: the digits become a big integer and one
// division with a 64-bit quotient gives the correctly rounded mantissa.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

#include "services/ascii_case.h"
#include "services/big_uint.h"
#include "services/decimal_form.h"
#include "services/number_text.h"
#include "services/real_bits.h"
#include "services/uint128.h"

namespace tallix {

namespace {

using detail::BigUint;

// Every value halfway between two extended values has fewer significant
// decimal digits than this, so digits beyond it only matter as "not zero".
constexpr std::size_t kMaxDecimalDigits = 11600;
constexpr std::size_t kMaxHexDigits = 32;
constexpr long long kExponentLimit = 1000000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Significant digits (no leading zeros) and the power of the base that scales
// them, with a final 1 standing for any non-zero digits that were dropped.
struct Significand {
  std::string digits;  // digit values 0..15 as characters '\0'..'\x0f'
  long long exponent = 0;
  std::size_t limit = 0;
  bool dropped = false;

  void Add(int value, bool afterPoint) {
    if (digits.empty() && value == 0) {
      if (afterPoint) --exponent;
      return;
    }
    if (digits.size() < limit) {
      digits += static_cast<char>(value);
      if (afterPoint) --exponent;
    } else {
      dropped = dropped || value != 0;
      if (!afterPoint) ++exponent;
    }
  }

  void Finish() {
    if (dropped) {
      digits += '\x01';
      --exponent;
    }
  }
};

long long SaturatingExponent(long long exponent, int digit) {
  return exponent < kExponentLimit ? exponent * 10 + digit : exponent;
}

// quotient * 2^unitExponent, rounded by `half` (what was left against one
// half: -1, 0, +1), ties to even.
Real ComposeRounded(bool negative, std::uint64_t quotient, int half, int unitExponent) {
  if (half > 0 || (half == 0 && (quotient & 1) != 0)) {
    if (++quotient == 0) {
      quotient = std::uint64_t(1) << 63;
      ++unitExponent;
    }
  }
  return detail::Compose(negative, quotient, unitExponent);
}

// value = u / v * 2^binaryExponent, rounded to nearest, ties to even.
Real RoundToReal(bool negative, const BigUint& u, const BigUint& v, int binaryExponent) {
  if (u.IsZero()) return negative ? -Real(0) : Real(0);
  int shift = 63 - u.BitLength() + v.BitLength();
  auto divide = [&](int k) {
    BigUint numerator = u;
    BigUint denominator = v;
    if (k >= 0)
      numerator.ShiftLeft(k);
    else
      denominator.ShiftLeft(-k);
    detail::Division64 division = detail::Divide64(numerator, denominator);
    return std::make_pair(division.quotient, detail::CompareHalf(division.remainder, denominator));
  };
  auto [quotient, half] = divide(shift);
  if ((quotient >> 63) == 0) std::tie(quotient, half) = divide(++shift);
  int unitExponent = binaryExponent - shift;
  if (unitExponent < detail::kMinUnitExponent) {
    shift -= detail::kMinUnitExponent - unitExponent;
    unitExponent = detail::kMinUnitExponent;
    std::tie(quotient, half) = divide(shift);
  }
  return ComposeRounded(negative, quotient, half, unitExponent);
}

Real Infinity(bool negative) {
  const Real infinity = std::numeric_limits<Real>::infinity();
  return negative ? -infinity : infinity;
}

using detail::BitWidth128;
using detail::U128;

// What the display holds (up to 19 digits, exponents within 27) fits in 128
// bits: u / v * 2^binaryExponent with u * 2^k / v never beyond 2^127.
Real ShortDecimalToReal(bool negative, std::uint64_t digits, long long exponent) {
  U128 fives = 1;
  for (long long i = 0; i < (exponent < 0 ? -exponent : exponent); ++i) fives *= 5;
  const U128 u = exponent >= 0 ? digits * fives : digits;
  const U128 v = exponent >= 0 ? 1 : fives;
  auto divide = [&](int k) {
    const U128 numerator = k >= 0 ? u << k : u;
    const U128 denominator = k >= 0 ? v : v << -k;
    const U128 quotient = numerator / denominator;
    const U128 twiceRest = (numerator - quotient * denominator) * 2;
    return std::make_pair(static_cast<std::uint64_t>(quotient),
                          twiceRest < denominator ? -1 : (twiceRest == denominator ? 0 : 1));
  };
  int shift = 63 - BitWidth128(u) + BitWidth128(v);
  auto [quotient, half] = divide(shift);
  if ((quotient >> 63) == 0) std::tie(quotient, half) = divide(++shift);
  return ComposeRounded(negative, quotient, half, int(exponent) - shift);
}

bool IsShort(std::size_t digitCount, long long exponent) {
  return digitCount <= 19 && exponent >= -27 && exponent <= 27;
}

std::optional<Real> ShortDecimalToReal(bool negative, const Significand& significand) {
  if (!IsShort(significand.digits.size(), significand.exponent)) return std::nullopt;
  std::uint64_t digits = 0;
  for (char digit : significand.digits) digits = digits * 10 + std::uint64_t(digit);
  return ShortDecimalToReal(negative, digits, significand.exponent);
}

Real DecimalToReal(bool negative, const Significand& significand) {
  const std::string& digits = significand.digits;
  if (digits.empty()) return negative ? -Real(0) : Real(0);
  if (const std::optional<Real> value = ShortDecimalToReal(negative, significand)) return *value;
  const long long magnitude = (long long)digits.size() + significand.exponent;
  if (magnitude > 4934) return Infinity(negative);
  if (magnitude < -4952) return negative ? -Real(0) : Real(0);
  BigUint u;
  for (std::size_t i = 0; i < digits.size(); i += 9) {
    std::uint32_t chunk = 0;
    std::uint32_t scale = 1;
    for (std::size_t j = i; j < digits.size() && j < i + 9; ++j) {
      chunk = chunk * 10 + std::uint32_t(digits[j]);
      scale *= 10;
    }
    u.MultiplySmall(scale);
    u.AddSmall(chunk);
  }
  const int exponent = int(significand.exponent);
  if (exponent >= 0) {
    u.Multiply(BigUint::PowerOfFive(exponent));
    return RoundToReal(negative, u, BigUint(1), exponent);
  }
  return RoundToReal(negative, u, BigUint::PowerOfFive(-exponent), exponent);
}

Real HexToReal(bool negative, const Significand& significand) {
  BigUint u;
  for (char digit : significand.digits) {
    u.MultiplySmall(16);
    u.AddSmall(std::uint32_t(digit));
  }
  if (u.IsZero()) return negative ? -Real(0) : Real(0);
  const long long bits = u.BitLength() + significand.exponent;
  if (bits > 16385) return Infinity(negative);
  if (bits < -16447) return negative ? -Real(0) : Real(0);
  return RoundToReal(negative, u, BigUint(1), int(significand.exponent));
}

struct Scan {
  std::size_t end = 0;  // characters consumed
  bool valid = false;
  Real value = 0;
};

// How one kind of literal spells its digits and its exponent.
struct Notation {
  int base;
  std::size_t digitLimit;
  char exponentLetter;
  int placeBits;  // binary places per digit place (0: decimal places)
  Real (*convert)(bool, const Significand&);
};

constexpr Notation kDecimal{10, kMaxDecimalDigits, 'e', 0, DecimalToReal};
constexpr Notation kHexadecimal{16, kMaxHexDigits, 'p', 4, HexToReal};

// Reads "digits [. digits] [exponent letter [sign] digits]" from `position`;
// an exponent letter without digits is not part of the number.
Scan ScanNumber(std::string_view text, std::size_t position, bool negative, const Notation& notation) {
  Significand significand;
  significand.limit = notation.digitLimit;
  bool anyDigit = false;
  bool afterPoint = false;
  for (; position < text.size(); ++position) {
    const int value = HexValue(text[position]);
    if (value >= 0 && value < notation.base) {
      significand.Add(value, afterPoint);
      anyDigit = true;
    } else if (text[position] == '.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  Scan scan;
  if (!anyDigit) return scan;
  significand.Finish();
  if (notation.placeBits != 0) significand.exponent *= notation.placeBits;
  if (position < text.size() && std::tolower(static_cast<unsigned char>(text[position])) == notation.exponentLetter) {
    std::size_t cursor = position + 1;
    bool negativeExponent = false;
    if (cursor < text.size() && (text[cursor] == '+' || text[cursor] == '-')) {
      negativeExponent = text[cursor] == '-';
      ++cursor;
    }
    if (cursor < text.size() && IsDigit(text[cursor])) {
      long long exponent = 0;
      for (; cursor < text.size() && IsDigit(text[cursor]); ++cursor) {
        exponent = SaturatingExponent(exponent, text[cursor] - '0');
      }
      significand.exponent += negativeExponent ? -exponent : exponent;
      position = cursor;
    }
  }
  scan.end = position;
  scan.valid = true;
  scan.value = notation.convert(negative, significand);
  return scan;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::optional<Real> ParseNumberExact(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (EqualsIgnoringCase(text, "inf") || EqualsIgnoringCase(text, kInfinityText)) return Infinity(negative);
  if (EqualsIgnoringCase(text, kNaNText)) return std::numeric_limits<Real>::quiet_NaN();
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const Scan scan = hex ? ScanNumber(text, 2, negative, kHexadecimal) : ScanNumber(text, 0, negative, kDecimal);
  if (!scan.valid || scan.end != text.size()) return std::nullopt;
  return scan.value;
}

Real ReadBackPlainNumber(Real value, int significantDigits) {
  const int precision = std::clamp(significantDigits, 1, 18);
  const detail::DecimalForm form = detail::RoundToSignificant(value, precision);
  // The text of zero is "0", without a sign.
  if (form.significand == 0) return Real(0);
  std::uint64_t digits = form.significand;
  int trailingZeros = 0;
  for (; digits % 10 == 0; digits /= 10) ++trailingZeros;
  const long long exponent = (long long)form.exponent - precision + trailingZeros;
  if (IsShort(std::size_t(precision - trailingZeros), exponent))
    return ShortDecimalToReal(form.negative, digits, exponent);
  Significand significand;
  significand.digits = std::to_string(digits);
  for (char& digit : significand.digits) digit = static_cast<char>(digit - '0');
  significand.exponent = exponent;
  return DecimalToReal(form.negative, significand);
}

Real ParseLeadingNumber(std::string_view text) {
  std::size_t position = 0;
  while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) ++position;
  bool negative = false;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }
  const Scan scan = ScanNumber(text, position, negative, kDecimal);
  return scan.valid ? scan.value : Real(0);
}

}  // namespace tallix
