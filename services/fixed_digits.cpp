#include "services/fixed_digits.h"

#include <algorithm>

namespace tallix::detail {

namespace {

constexpr long long kFormDigits = 18;

bool AnyDigitFrom(const DecimalDigits18& form, long long first) {
  for (long long i = std::max(first, 0LL); i < kFormDigits; ++i) {
    if (form.digits[std::size_t(i)] != '0') return true;
  }
  return false;
}

bool RoundsUp(const DecimalDigits18& form, long long firstDropped, char lastKept, RoundingRule rule) {
  if (rule == RoundingRule::kTowardZero || firstDropped >= kFormDigits) return false;
  // Every digit of a value smaller than the last place is dropped.
  if (rule == RoundingRule::kAwayFromZero) return AnyDigitFrom(form, firstDropped);
  if (firstDropped < 0) return false;
  const char dropped = form.digits[std::size_t(firstDropped)];
  if (dropped != '5') return dropped > '5';
  if (AnyDigitFrom(form, firstDropped + 1)) return true;
  return (lastKept - '0') % 2 != 0;  // an exact tie goes to the even digit
}

}  // namespace

FixedDigits RoundToPlaces(const DecimalDigits18& form, int exponentShift, std::size_t places, RoundingRule rule) {
  const long long exponent = (long long)form.exponent + exponentShift;
  const std::size_t integerLength = exponent > 0 ? std::size_t(exponent) : 0;
  // Kept digit i is the form's digit i + first: the integer digits start at
  // the form's first, the fraction digits right after the point.
  const long long first = exponent > 0 ? 0 : exponent;
  std::string kept(integerLength + places, '0');
  const long long from = std::max(first, 0LL);
  const long long to = std::min(first + (long long)kept.size(), kFormDigits);
  if (from < to) {
    std::copy(form.digits.begin() + from, form.digits.begin() + to, kept.begin() + (from - first));
  }

  const char lastKept = kept.empty() ? '0' : kept.back();
  bool carry = RoundsUp(form, exponent + (long long)places, lastKept, rule);
  for (std::size_t i = kept.size(); carry && i-- > 0;) {
    carry = kept[i] == '9';
    kept[i] = carry ? '0' : static_cast<char>(kept[i] + 1);
  }
  FixedDigits result;
  // A carry out of the first digit prepends a 1; otherwise leading zeros go.
  std::size_t start = 0;
  while (!carry && start < integerLength && kept[start] == '0') ++start;
  if (carry) result.integer.push_back('1');
  result.integer.append(kept, start, integerLength - start);
  if (result.integer.empty()) result.integer.push_back('0');
  result.fraction.assign(kept, integerLength, std::string::npos);
  return result;
}

}  // namespace tallix::detail
