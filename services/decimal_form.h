#pragma once
// The correctly rounded decimal form of an extended value with any number of
// significant digits up to 18: the common ground of every number text.

#include <cstdint>

#include "services/real.h"

namespace tallix::detail {

// value = significand * 10^(exponent - digits), with
// 10^(digits-1) <= significand < 10^digits, or significand 0 for zero.
struct DecimalForm {
  bool negative = false;
  std::uint64_t significand = 0;
  int exponent = 0;
};

// Requires a finite value and 1 <= digits <= 18. Ties go to the even significand.
DecimalForm RoundToSignificant(Real value, int digits);

std::uint64_t PowerOfTen(int exponent);  // 0 <= exponent <= 19

}  // namespace tallix::detail
