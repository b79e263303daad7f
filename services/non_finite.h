#pragma once
// The one text for infinities and NaN, wherever a number is written.

#include <string>

#include "services/number_text.h"
#include "services/real_bits.h"

namespace tallix::detail {

// Requires a value that is not finite.
inline std::string NonFiniteText(Real value, bool leadingSpace) {
  const std::string blank = leadingSpace ? " " : "";
  if (IsNaN(value)) return blank + std::string(kNaNText);
  if (Decompose(value).negative) return std::string(kNegativeInfinityText);
  return blank + std::string(kInfinityText);
}

}  // namespace tallix::detail
