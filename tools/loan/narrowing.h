#pragma once
// Extended values stored at the loan's narrower widths. Out of range they
// become the width's infinity (a converted value out of range is undefined
// behaviour), so that absurd inputs show as "Infinity" instead of anything.
#include <limits>

namespace tallix::loan {

template <class Narrow>
Narrow NarrowTo(long double value) {
  constexpr long double kMax = std::numeric_limits<Narrow>::max();
  if (value > kMax) return std::numeric_limits<Narrow>::infinity();
  if (value < -kMax) return -std::numeric_limits<Narrow>::infinity();
  return static_cast<Narrow>(value);
}

}  // namespace tallix::loan
