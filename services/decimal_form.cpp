#include "services/decimal_form.h"

#include <bit>
#include <cstdlib>

#include "services/big_uint.h"
#include "services/real_bits.h"

namespace tallix::detail {

std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

namespace {

using U128 = unsigned __int128;

struct ScaledQuotient {
  std::uint64_t quotient = 0;
  int half = 0;  // remainder compared with half the divisor: -1, 0, +1
};

int BitWidth128(U128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

// floor(mantissa * 2^binary * 10^decimal) and the rounding of what is left,
// exactly. Calculator-sized values stay within 128 bits; the rest takes big
// integers.
ScaledQuotient Scale(std::uint64_t mantissa, int binary, int decimal) {
  const int twos = binary + decimal;  // 10^d = 5^d * 2^d
  if (std::abs(decimal) <= 27) {
    U128 numerator = mantissa;
    U128 denominator = 1;
    U128 fives = 1;
    for (int i = 0; i < std::abs(decimal); ++i) fives *= 5;
    if (decimal >= 0) numerator *= fives; else denominator = fives;
    const bool fits = twos >= 0 ? BitWidth128(numerator) + twos <= 127
                                : BitWidth128(denominator) - twos <= 127;
    if (fits) {
      if (twos >= 0) numerator <<= twos; else denominator <<= -twos;
      const U128 quotient = numerator / denominator;
      const U128 twiceRest = (numerator % denominator) * 2;
      return {static_cast<std::uint64_t>(quotient),
              twiceRest < denominator ? -1 : (twiceRest == denominator ? 0 : 1)};
    }
  }
  BigUint numerator = BigUint::PowerOfFive(decimal > 0 ? decimal : 0);
  numerator.Multiply(mantissa);
  BigUint denominator = BigUint::PowerOfFive(decimal < 0 ? -decimal : 0);
  if (twos >= 0) numerator.ShiftLeft(twos); else denominator.ShiftLeft(-twos);
  const Division64 division = Divide64(numerator, denominator);
  return {division.quotient, CompareHalf(division.remainder, denominator)};
}

}  // namespace

DecimalForm RoundToSignificant(Real value, int digits) {
  const RealParts parts = Decompose(value);
  DecimalForm form;
  if (parts.mantissa == 0) return form;
  form.negative = parts.negative;
  // Estimate the decimal exponent from the binary one (floor of bits * log10 2),
  // then correct it by looking at the quotient.
  const long long bits = (long long)parts.unitExponent + std::bit_width(parts.mantissa);
  int exponent = int(((bits - 1) * 78913) >> 18) + 1;
  const std::uint64_t low = PowerOfTen(digits - 1);
  const std::uint64_t high = PowerOfTen(digits);
  ScaledQuotient scaled;
  for (;;) {
    scaled = Scale(parts.mantissa, parts.unitExponent, digits - exponent);
    if (scaled.quotient >= high) {
      ++exponent;
    } else if (scaled.quotient < low) {
      --exponent;
    } else {
      break;
    }
  }
  std::uint64_t significand = scaled.quotient;
  if (scaled.half > 0 || (scaled.half == 0 && (significand & 1) != 0)) ++significand;
  if (significand == high) {
    significand = low;
    ++exponent;
  }
  form.significand = significand;
  form.exponent = exponent;
  return form;
}

}  // namespace tallix::detail
