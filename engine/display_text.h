#pragma once
// Pure text rules of the display: reading a display text as a number in each
// number system, writing values as system text, and digit grouping.

#include <cstdint>
#include <string>
#include <string_view>

#include "services/real.h"

namespace tallix {

// The text the display and the tape show for a division by zero.
inline constexpr std::string_view kDiv0Text = "Div0 Error";

// The grand total's symbol after its value on the tape ("1,234.50 GT"), and
// the line that says it was cleared.
inline constexpr std::string_view kGrandTotalSymbol = "GT";
inline constexpr std::string_view kGrandTotalClearedLine = "GT Clear";

// The text with every "," removed.
std::string WithoutCommas(std::string_view text);

// A decimal display text: "," removed, then its longest valid beginning; the
// texts of infinities and NaN read as those values.
Real ReadDecimal(std::string_view text);

// Radix of a display mode: 16, 2 or 8 for 11..13, 10 otherwise.
int RadixOf(std::uint8_t displayMode);

// "Hex", "Bin" or "Oct" for display modes 11..13, "Dec" otherwise: the word of
// the tape markers "(Hex)", the result prefix "(Hex) " and the suffix " (Hex)".
std::string_view SystemName(std::uint8_t displayMode);

// An unsigned integer read in radix 2, 8 or 16 from the start of the text up to
// the first character that is not a digit of the radix; empty reads 0, and so
// does a number beyond 64 bits. "Div0 Error" reads 0 too, not as the digit D.
Real ReadInRadix(std::string_view text, int radix);

// The value rounded to an integer (ties to even), its low 32 bits written
// unsigned in radix 2, 8 or 16 with upper-case letters and no leading zeros.
// Infinities and NaN write "0".
std::string WriteInRadix(Real value, int radix);

// Group separators in the integer part: before the last 3, 6, ... 18 digits.
// Leading blanks stay in front; an integer part with other characters than
// digits is returned unchanged.
std::string GroupedText(std::string_view text);

}  // namespace tallix
