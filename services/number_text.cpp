#include "services/number_text.h"

#include <algorithm>
#include <string>

#include "services/decimal_form.h"
#include "services/non_finite.h"
#include "services/real_bits.h"

namespace tallix {

DecimalDigits18 ToDecimalDigits18(Real value) {
  DecimalDigits18 result;
  result.digits.fill('0');
  if (!detail::IsFinite(value)) return result;
  const detail::DecimalForm form = detail::RoundToSignificant(value, 18);
  if (form.significand == 0) return result;
  result.negative = form.negative;
  result.exponent = form.exponent;
  std::uint64_t significand = form.significand;
  for (int i = 17; i >= 0; --i) {
    result.digits[std::size_t(i)] = static_cast<char>('0' + significand % 10);
    significand /= 10;
  }
  return result;
}

namespace {

std::string ExponentText(int exponent) {
  std::string text = exponent < 0 ? "E-" : "E+";
  const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
  if (magnitude.size() < 2) text += '0';
  return text + magnitude;
}

}  // namespace

std::string PlainNumberText(Real value, int significantDigits, bool leadingSpace) {
  if (!detail::IsFinite(value)) return detail::NonFiniteText(value, leadingSpace);
  const int precision = std::clamp(significantDigits, 1, 18);
  const detail::DecimalForm form = detail::RoundToSignificant(value, precision);
  std::string text = form.negative && form.significand != 0 ? "-" : (leadingSpace ? " " : "");
  if (form.significand == 0) return text + "0";

  std::string digits = std::to_string(form.significand);
  digits.erase(digits.find_last_not_of('0') + 1);
  const int count = int(digits.size());
  const int exponent = form.exponent;  // value = 0.digits * 10^exponent
  if (exponent > precision || count - exponent > precision) {
    text += digits[0];
    if (count > 1) text += '.' + digits.substr(1);
    return text + ExponentText(exponent - 1);
  }
  if (exponent <= 0) return text + '.' + std::string(std::size_t(-exponent), '0') + digits;
  if (count <= exponent) return text + digits + std::string(std::size_t(exponent - count), '0');
  return text + digits.substr(0, std::size_t(exponent)) + '.' + digits.substr(std::size_t(exponent));
}

}  // namespace tallix
