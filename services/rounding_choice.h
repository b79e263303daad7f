#pragma once
// The rounding switch as Tallix.ini ("Rounding" in Main Settings) and
// tallix-cli spell it: "Down", "54" or "Up", in any letter case.
#include <optional>
#include <string_view>

#include "services/ascii_case.h"
#include "services/fixed_digits.h"

namespace tallix {

inline std::optional<RoundingRule> RoundingRuleNamed(std::string_view text) {
  if (EqualsIgnoringCase(text, "Down")) return RoundingRule::kTowardZero;
  if (text == "54") return RoundingRule::kHalfEven;
  if (EqualsIgnoringCase(text, "Up")) return RoundingRule::kAwayFromZero;
  return std::nullopt;
}

// What the file keeps; anything else is 5/4, as before there was a switch.
inline RoundingRule RoundingRuleFromText(std::string_view text) {
  return RoundingRuleNamed(text).value_or(RoundingRule::kHalfEven);
}

inline std::string_view RoundingRuleText(RoundingRule rule) {
  switch (rule) {
    case RoundingRule::kTowardZero: return "Down";
    case RoundingRule::kAwayFromZero: return "Up";
    default: return "54";
  }
}

}  // namespace tallix
