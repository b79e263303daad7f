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
  result.integer = (carry ? "1" : "") + kept.substr(0, integerLength);
  result.fraction = kept.substr(integerLength);
  const std::size_t firstNonZero = result.integer.find_first_not_of('0');
  result.integer.erase(0, firstNonZero == std::string::npos ? result.integer.size() : firstNonZero);
  if (result.integer.empty()) result.integer = "0";
  return result;
}

}  // namespace tallix::detail
