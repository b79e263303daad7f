#pragma once
// Find on the tape: which lines match what the find box was given, and which
// of them comes next from a line, up or down, round the tape's ends.
//
// A text matches a line that holds it, whatever the letter case. A number (as
// the tape writes one: "1234.5", "1,234.50", "-2", "1.5E+20") matches a line
// whose number, read as the CSV reads it (tape_csv.h), has the same value,
// whatever its grouping and trailing zeros: "1234.5" finds "1,234.50 +", and
// "255" finds "FF =" where the tape is in hexadecimal.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/tape/tape_csv.h"
#include "services/real.h"

namespace tallix {

class TapeQuery {
 public:
  // What the find box was given, in Windows-1252; blanks around a number do
  // not count.
  explicit TapeQuery(std::string_view typed);

  bool empty() const { return text_.empty(); }
  bool IsNumber() const { return value_.has_value(); }
  // Whether `line` matches; `reader` has read every line of the tape before
  // it, and reads this one as far as a number needs.
  bool Matches(std::string_view line, TapeLineReader& reader) const;

 private:
  bool HoldsText(std::string_view line) const;
  // Whether the line holds the number's significant digits in a row, grouped
  // or not: what any line of its value holds, cheap to look for first.
  bool MayHoldValue(std::string_view line) const;
  bool HasValue(const TapeLineWords& words) const;

  std::string text_;  // in lower case
  std::array<bool, 256> startsText_{};
  std::optional<Real> value_;
  std::string digits_;  // the number's significant digits: a quick test before its value
};

struct TapeFound {
  std::size_t line = 0;
  bool wrapped = false;  // passed the tape's end (or its top, upwards) on the way
};

// The first matching line after `from` going down, or before it going up,
// continuing from the other end of the tape when none is left on the way;
// `from` itself last of all. Without `from` the search starts above the first
// line going down, below the last going up. nullopt when no line matches.
// `startRadix` is the system the tape began in (TapeStartRadix).
std::optional<TapeFound> FindOnTape(std::span<const std::string> lines, int startRadix, const TapeQuery& query,
                                    std::optional<std::size_t> from, bool down);

// What the find box says after a search for `typed` found `found` (nullopt:
// nothing) among `lines`, and what a screen reader is told: the line's
// number among them, whether the search passed an end of the tape, and the
// line itself. Windows-1252.
struct FindOutcome {
  std::string status;
  std::string spoken;
};
FindOutcome DescribeFind(std::string_view typed, const std::optional<TapeFound>& found,
                         std::span<const std::string> lines, bool down);

}  // namespace tallix
