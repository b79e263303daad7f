#pragma once
// Rounding of the 18-digit decimal form to a fixed number of fraction digits:
// the step that both picture and field masks share.

#include <string>

#include "services/number_text.h"

namespace tallix::detail {

struct FixedDigits {
  std::string integer;   // at least one digit, no leading zeros ("0" for none)
  std::string fraction;  // exactly the requested number of digits
};

// Rounds `form` * 10^exponentShift to `places` fraction digits, half to even on
// the 18 digits of the form (every digit after them counts as 0).
FixedDigits RoundToPlaces(const DecimalDigits18& form, int exponentShift, std::size_t places);

}  // namespace tallix::detail
