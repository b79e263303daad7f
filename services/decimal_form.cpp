#include "services/decimal_form.h"

#include <array>
#include <bit>
#include <vector>

#include "services/big_uint.h"
#include "services/real_bits.h"
#include "services/uint128.h"

namespace tallix::detail {

std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

namespace {

struct ScaledQuotient {
  std::uint64_t quotient = 0;
  int half = 0;  // what is left compared with one half: -1, 0, +1
};

constexpr int kSmallPowers = 32;  // 10^31 < 2^104: exact in 128 bits

constexpr std::array<U128, kSmallPowers> MakeSmallPowers(U128 base) {
  std::array<U128, kSmallPowers> powers{};
  U128 power = 1;
  for (auto& entry : powers) {
    entry = power;
    power *= base;
  }
  return powers;
}

constexpr std::array<U128, kSmallPowers> kPowersOfFive = MakeSmallPowers(5);
constexpr std::array<U128, kSmallPowers> kPowersOfTen = MakeSmallPowers(10);

// Exactly, when numerator and denominator fit in 128 bits: every value of
// calculator size, and every value that is an exact decimal tie.
bool ScaleIn128Bits(std::uint64_t mantissa, int twos, int decimal, ScaledQuotient& result) {
  if (decimal <= -28 || decimal >= 28) return false;
  U128 numerator = mantissa;
  U128 denominator = 1;
  if (decimal >= 0) {
    numerator *= kPowersOfFive[std::size_t(decimal)];
  } else {
    denominator = kPowersOfFive[std::size_t(-decimal)];
  }
  const bool fits = twos >= 0 ? BitWidth128(numerator) + twos <= 127 : BitWidth128(denominator) - twos <= 127;
  if (!fits) return false;
  if (twos >= 0)
    numerator <<= twos;
  else
    denominator <<= -twos;
  const U128 twiceRest = (numerator % denominator) * 2;
  result = {static_cast<std::uint64_t>(numerator / denominator),
            twiceRest < denominator ? -1 : (twiceRest == denominator ? 0 : 1)};
  return true;
}

// 10^k ~ mantissa * 2^exponent, the mantissa in [2^127, 2^128) and never above
// the true value.
struct PowerOfTenApprox {
  U128 mantissa = 0;
  int exponent = 0;
};

constexpr int kCoarseStep = kSmallPowers;
constexpr int kCoarseRange = 160;  // 10^(32 * 160) lies beyond every exponent needed

PowerOfTenApprox CoarsePower(int k) {
  PowerOfTenApprox power;
  if (k >= 0) {
    BigUint fives = BigUint::PowerOfFive(k);
    const int dropped = fives.BitLength() - 128;
    if (dropped < 0) fives.ShiftLeft(-dropped);
    power.mantissa = fives.Bits128(dropped > 0 ? dropped : 0);
    power.exponent = k + dropped;
    return power;
  }
  // 10^k = 2^k / 5^-k: 128 quotient bits of 2^L / 5^-k, in two 64-bit steps.
  const BigUint fives = BigUint::PowerOfFive(-k);
  const int length = 127 + fives.BitLength();
  BigUint numerator(1);
  numerator.ShiftLeft(length - 64);
  Division64 high = Divide64(numerator, fives);
  high.remainder.ShiftLeft(64);
  const Division64 low = Divide64(high.remainder, fives);
  power.mantissa = (U128(high.quotient) << 64) | low.quotient;
  power.exponent = k - length;
  return power;
}

const std::vector<PowerOfTenApprox>& CoarsePowers() {
  static const std::vector<PowerOfTenApprox> table = [] {
    std::vector<PowerOfTenApprox> powers;
    for (int a = -kCoarseRange; a <= kCoarseRange; ++a) powers.push_back(CoarsePower(a * kCoarseStep));
    return powers;
  }();
  return table;
}

// The truncated product of a coarse power and an exact small one: less than
// 4 units of its last bit below the true 10^k.
PowerOfTenApprox ApproximatePowerOfTen(int k) {
  const int a = (k >= 0 ? k : k - kCoarseStep + 1) / kCoarseStep;
  const PowerOfTenApprox& coarse = CoarsePowers()[std::size_t(a + kCoarseRange)];
  const U128 small = kPowersOfTen[std::size_t(k - a * kCoarseStep)];
  const U128 x0 = static_cast<std::uint64_t>(coarse.mantissa), x1 = coarse.mantissa >> 64;
  const U128 y0 = static_cast<std::uint64_t>(small), y1 = small >> 64;
  const U128 p00 = x0 * y0, p01 = x0 * y1, p10 = x1 * y0, p11 = x1 * y1;
  const U128 middle = (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
  const U128 low = (middle << 64) | static_cast<std::uint64_t>(p00);
  const U128 high = p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
  const int shift = BitWidth128(high);
  PowerOfTenApprox power;
  power.mantissa = shift == 0 ? low : (high << (128 - shift)) | (low >> shift);
  power.exponent = coarse.exponent + shift;
  return power;
}

// From a 128-bit approximation of 10^decimal; gives up (false) only when what
// is left lies too close to one half to tell.
bool ScaleApproximately(std::uint64_t mantissa, int binary, int decimal, ScaledQuotient& result) {
  if (decimal < -kCoarseRange * kCoarseStep || decimal >= kCoarseRange * kCoarseStep) return false;
  const PowerOfTenApprox power = ApproximatePowerOfTen(decimal);
  // X = mantissa * power.mantissa: 192 bits, as high (64) and low (128).
  const U128 lowProduct = U128(mantissa) * static_cast<std::uint64_t>(power.mantissa);
  const U128 highProduct = U128(mantissa) * static_cast<std::uint64_t>(power.mantissa >> 64);
  const U128 upper = highProduct + (lowProduct >> 64);
  const auto high = static_cast<std::uint64_t>(upper >> 64);
  const U128 low = (upper << 64) | static_cast<std::uint64_t>(lowProduct);
  const int extra = -(binary + power.exponent) - 128;  // the integer part is high >> extra
  if (extra < 0 || extra > 63) return false;
  // The first 128 bits of the fraction, and how far the truncated power may
  // have pulled them down (4 units of the power, times the mantissa).
  const U128 fraction = extra == 0 ? low : (low >> extra) | (U128(high) << (128 - extra));
  const U128 tolerance = ((U128(mantissa) << 2) >> extra) + 1;
  const U128 half = U128(1) << 127;
  if (fraction > half) {
    result = {high >> extra, 1};
  } else if (fraction < half && half - fraction > tolerance) {
    result = {high >> extra, -1};
  } else {
    return false;
  }
  return true;
}

// floor(mantissa * 2^binary * 10^decimal) and the rounding of what is left.
// The approximation may put a value a hair above a power of ten just below
// it; `approximate` is turned off when the exponent search goes back and forth.
ScaledQuotient Scale(std::uint64_t mantissa, int binary, int decimal, bool approximate) {
  const int twos = binary + decimal;  // 10^d = 5^d * 2^d
  ScaledQuotient result;
  if (ScaleIn128Bits(mantissa, twos, decimal, result)) return result;
  if (approximate && ScaleApproximately(mantissa, binary, decimal, result)) return result;
  BigUint numerator = BigUint::PowerOfFive(decimal > 0 ? decimal : 0);
  numerator.Multiply(mantissa);
  BigUint denominator = BigUint::PowerOfFive(decimal < 0 ? -decimal : 0);
  if (twos >= 0)
    numerator.ShiftLeft(twos);
  else
    denominator.ShiftLeft(-twos);
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
  for (int attempt = 0;; ++attempt) {
    scaled = Scale(parts.mantissa, parts.unitExponent, digits - exponent, attempt < 2);
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
