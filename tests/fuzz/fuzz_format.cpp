// Arbitrary masks, values and number texts through every formatting and
// parsing entry point. Input layout: one selector byte (its bits 4 and 5 also
// choose the rounding rule), ten bytes of an 80-bit value, then the text,
// split at the first NUL into a mask and a number text.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "services/format_mask.h"
#include "services/number_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // No upper bound: every entry point is linear in the mask and the text (a
  // megabyte of "#", "#_." or quotes takes well under a second instrumented),
  // so libFuzzer's -max_len alone decides how long inputs get.
  if (size < 11) return 0;
  const std::uint8_t selector = data[0];
  unsigned char bytes[sizeof(tallix::Real)] = {};
  std::memcpy(bytes, data + 1, 10);
  tallix::Real value;
  std::memcpy(&value, bytes, sizeof(value));
  const std::string_view rest(reinterpret_cast<const char*>(data + 11), size - 11);
  const std::size_t split = rest.find('\0');
  const std::string_view mask = rest.substr(0, split);
  const std::string_view text = split == std::string_view::npos ? rest : rest.substr(split + 1);

  // Huge widening is allowed, quadratic growth is not: the text stays within
  // the integer digits of the largest value plus what the mask itself prints.
  const auto rule = static_cast<tallix::RoundingRule>((selector >> 4) % 3);
  const std::string formatted = tallix::FormatNumber(value, mask, rule);
  Check(formatted.size() <= 2 * (5000 + mask.size() * 2));

  std::vector<tallix::Real> values{value};
  for (std::size_t i = 0; i < (selector & 3u); ++i) values.push_back(value * tallix::Real(i + 2));
  const std::string used = tallix::FormatUsing(mask, values);
  Check(used.size() <= 8 * (5000 + mask.size() * 2));

  const int digits = (selector & 4u) ? 18 : 15;
  const std::string plain = tallix::PlainNumberText(value, digits, (selector & 8u) != 0);
  Check(!plain.empty());

  // What the plain text says must read back to a value that prints the same.
  // (The 18-digit text of the very largest values rounds above the range.)
  const auto reread = tallix::ParseNumberExact(plain);
  Check(reread.has_value());
  if (*reread - *reread == 0) Check(tallix::PlainNumberText(*reread, digits, (selector & 8u) != 0) == plain);

  const auto parsed = tallix::ParseNumberExact(text);
  const tallix::Real leading = tallix::ParseLeadingNumber(text);
  if (parsed && *parsed == *parsed && text.find_first_of("xXnNiI") == std::string_view::npos) {
    // A whole decimal number reads the same either way (once blanks are gone).
    std::size_t start = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t\r\n\v\f");
    if (start != std::string_view::npos && end != std::string_view::npos &&
        start == text.find_first_not_of(" \t\r\n\v\f")) {
      Check(tallix::ParseLeadingNumber(text.substr(start, end - start + 1)) == *parsed);
    }
  }
  (void)leading;
  if (parsed) (void)tallix::FormatNumber(*parsed, mask);
  (void)tallix::ToDecimalDigits18(value == value && value - value == 0 ? value : tallix::Real(0));
  return 0;
}
