#pragma once
// Rounding of the 18-digit decimal form to a fixed number of fraction digits:
// the step that both picture and field masks share.

#include <string>

#include "services/number_text.h"

namespace tallix {

// How the digits past the last kept place are let go. A printing
// calculator's switch offers the two directed rules beside rounding.
enum class RoundingRule {
  kHalfEven,      // to nearest, an exact tie to the even digit
  kTowardZero,    // dropped digits discarded
  kAwayFromZero,  // any dropped digit but 0 raises the last kept one
};

}  // namespace tallix

namespace tallix::detail {

struct FixedDigits {
  std::string integer;   // at least one digit, no leading zeros ("0" for none)
  std::string fraction;  // exactly the requested number of digits
};

// Rounds `form` * 10^exponentShift to `places` fraction digits by `rule` on
// the 18 digits of the form (every digit after them counts as 0). The rule
// works on the magnitude: the sign is the caller's.
FixedDigits RoundToPlaces(const DecimalDigits18& form, int exponentShift, std::size_t places,
                          RoundingRule rule = RoundingRule::kHalfEven);

}  // namespace tallix::detail
