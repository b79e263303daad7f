#pragma once
// Picture formatting ("#,.00", "$#,###,###.00") and field formatting
// ("###,###,###", "#_.#_.#_.#") of numbers, on their decimal digits.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "services/fixed_digits.h"
#include "services/real.h"

namespace tallix {

// `rule` lets go of the digits past the mask's last place.
std::string FormatNumber(Real value, std::string_view mask, RoundingRule rule = RoundingRule::kHalfEven);

// False when the section of `mask` that FormatNumber takes for `value` has no
// digit placeholder, so that the value does not show in the text (masks such
// as "-" print their text alone).
bool MaskShowsValue(Real value, std::string_view mask);

// Values fill the fields in order; literal text up to the next field is copied
// after the last value. More values than fields start the mask over, so
// none is dropped; a mask without fields prints its text once.
std::string FormatUsing(std::string_view mask, std::span<const Real> values);
std::string FormatUsing(std::string_view mask, std::initializer_list<Real> values);

// How many values FormatUsing places before it starts the mask over.
std::size_t FieldCount(std::string_view mask);

}  // namespace tallix
