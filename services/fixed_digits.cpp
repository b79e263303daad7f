#include "services/fixed_digits.h"

namespace tallix::detail {

namespace {

constexpr long long kFormDigits = 18;

char DigitAt(const DecimalDigits18& form, long long index) {
  return index >= 0 && index < kFormDigits ? form.digits[std::size_t(index)] : '0';
}

bool RoundsUp(const DecimalDigits18& form, long long firstDropped, char lastKept) {
  if (firstDropped < 0 || firstDropped >= kFormDigits) return false;
  const char dropped = form.digits[std::size_t(firstDropped)];
  if (dropped != '5') return dropped > '5';
  for (long long i = firstDropped + 1; i < kFormDigits; ++i) {
    if (form.digits[std::size_t(i)] != '0') return true;
  }
  return (lastKept - '0') % 2 != 0;  // an exact tie goes to the even digit
}

}  // namespace

FixedDigits RoundToPlaces(const DecimalDigits18& form, int exponentShift, std::size_t places) {
  const long long exponent = (long long)form.exponent + exponentShift;
  const std::size_t integerLength = exponent > 0 ? std::size_t(exponent) : 0;
  std::string kept;
  kept.reserve(integerLength + places + 1);
  for (std::size_t i = 0; i < integerLength; ++i) kept += DigitAt(form, (long long)i);
  for (std::size_t i = 0; i < places; ++i) kept += DigitAt(form, exponent + (long long)i);

  const char lastKept = kept.empty() ? '0' : kept.back();
  bool carry = RoundsUp(form, exponent + (long long)places, lastKept);
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
