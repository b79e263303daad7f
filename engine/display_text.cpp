#include "engine/display_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "services/number_text.h"

namespace tallix {

namespace {

// The display's texts are a few characters long: a plain loop beats a call
// to memchr.
bool Contains(std::string_view text, char c) {
  for (char x : text) {
    if (x == c) return true;
  }
  return false;
}

std::size_t FirstOf(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c) return i;
  }
  return text.size();
}

}  // namespace

std::string WithoutCommas(std::string_view text) {
  std::string out(text);
  std::erase(out, ',');
  return out;
}

Real ReadDecimal(std::string_view text) {
  const bool commas = Contains(text, ',');
  const std::string withoutCommas = commas ? WithoutCommas(text) : std::string();
  const std::string_view plain = commas ? std::string_view(withoutCommas) : text;
  // An overflowed result stays what it is when the display is read back.
  if (plain == kInfinityText) return std::numeric_limits<Real>::infinity();
  if (plain == kNegativeInfinityText) return -std::numeric_limits<Real>::infinity();
  if (plain == kNaNText) return std::numeric_limits<Real>::quiet_NaN();
  return ParseLeadingNumber(plain);
}

int RadixOf(std::uint8_t displayMode) {
  switch (displayMode) {
    case 11: return 16;
    case 12: return 2;
    case 13: return 8;
    default: return 10;
  }
}

std::string_view SystemName(std::uint8_t displayMode) {
  switch (displayMode) {
    case 11: return "Hex";
    case 12: return "Bin";
    case 13: return "Oct";
    default: return "Dec";
  }
}

namespace {

int DigitOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 99;
}

}  // namespace

Real ReadInRadix(std::string_view text, int radix) {
  // The error text would otherwise read as the hexadecimal digit D.
  if (text == kDiv0Text) return 0;
  std::uint64_t value = 0;
  const std::uint64_t limit = UINT64_MAX / static_cast<std::uint64_t>(radix);
  for (char c : text) {
    const int digit = DigitOf(c);
    if (digit >= radix) break;
    if (value > limit) return 0;
    const std::uint64_t shifted = value * static_cast<std::uint64_t>(radix);
    if (shifted > UINT64_MAX - static_cast<std::uint64_t>(digit)) return 0;
    value = shifted + static_cast<std::uint64_t>(digit);
  }
  return static_cast<Real>(value);
}

std::string WriteInRadix(Real value, int radix) {
  if (!std::isfinite(value)) return "0";
  // The remainder of an integral value by 2^32 is exact in the extended type,
  // so the low 32 bits come out right for every magnitude. rint rounds as
  // nearbyint does (ties to even) without saving the floating-point state.
  constexpr Real kTwo32 = 4294967296.0L;
  Real low = std::fmod(std::rint(value), kTwo32);
  if (low < 0) low += kTwo32;
  auto bits = static_cast<std::uint32_t>(low);
  if (bits == 0) return "0";
  std::array<char, 32> digits;  // 32 binary digits at most
  auto first = digits.end();
  while (bits != 0) {
    *--first = "0123456789ABCDEF"[bits % static_cast<unsigned>(radix)];
    bits /= static_cast<unsigned>(radix);
  }
  return std::string(first, digits.end());
}

std::string GroupedText(std::string_view text) {
  // The display is mostly set without separators: no copy is needed then.
  const bool commas = Contains(text, ',');
  const std::string withoutCommas = commas ? WithoutCommas(text) : std::string();
  std::string_view rest = commas ? std::string_view(withoutCommas) : text;
  const std::size_t plainSize = rest.size();
  const bool negative = !rest.empty() && rest.front() == '-';
  if (negative) rest.remove_prefix(1);
  const std::size_t point = FirstOf(rest, '.');
  const std::string_view fraction = rest.substr(point);
  const std::string_view integer = rest.substr(0, point);
  // A pasted entry keeps its leading blank; the blank is no digit, so it must
  // not earn a separator of its own (" ,123,456").
  const std::size_t blanks = std::min(integer.find_first_not_of(' '), integer.size());
  const std::string_view digits = integer.substr(blanks);
  // Only digits are grouped: "Infinity" or pasted words stay as they are.
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::string(text);
  }
  std::string grouped;
  grouped.reserve(plainSize + 6);
  if (negative) grouped.push_back('-');
  grouped.append(integer.substr(0, blanks));
  // At most six separators: digits beyond the 21st from the right stay ungrouped.
  constexpr std::size_t kLastGrouped = 18;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const std::size_t right = digits.size() - i;
    if (i > 0 && right % 3 == 0 && right <= kLastGrouped) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  grouped.append(fraction);
  return grouped;
}

}  // namespace tallix
