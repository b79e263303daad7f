#include "app/tape/tape_find.h"

#include <algorithm>

#include "engine/display_text.h"
#include "services/codepage1252.h"
#include "services/number_text.h"

namespace tallix {
namespace {

constexpr std::array<char, 256> kLower = [] {
  std::array<char, 256> lower{};
  for (int byte = 0; byte < 256; ++byte) lower[byte] = LowerCp1252(static_cast<char>(byte));
  return lower;
}();

char Lower(char c) { return kLower[static_cast<unsigned char>(c)]; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of a decimal number's text from its first non-zero one to its
// last non-zero one, before any exponent: equal for any two texts of the same
// value, and cheap to compare before the values are.
template <class Each>
void ForEachSignificantDigit(std::string_view number, Each each) {
  bool started = false;
  std::size_t zeros = 0;
  for (const char c : number) {
    if (c == 'E' || c == 'e') break;
    if (!IsDigit(c)) continue;
    if (c == '0') {
      zeros += started ? 1 : 0;
      continue;
    }
    for (; zeros > 0; --zeros)
      if (!each('0')) return;
    started = true;
    if (!each(c)) return;
  }
}

// The value of a number's plain decimal text (as TapeNumberValue gives it).
std::optional<Real> ValueOfPlain(const std::optional<std::string>& plain) {
  return plain ? ParseNumberExact(*plain) : std::nullopt;
}

}  // namespace

TapeQuery::TapeQuery(std::string_view typed) {
  for (const char c : typed) text_.push_back(Lower(c));
  if (!text_.empty()) {
    // The first letter in either case: a line is looked at only from where it holds one.
    for (int byte = 0; byte < 256; ++byte) startsText_[byte] = Lower(static_cast<char>(byte)) == text_.front();
  }
  std::string_view number = typed;
  number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
  number = number.substr(0, number.find_last_not_of(' ') + 1);
  value_ = ValueOfPlain(TapeNumberValue(number, 10));
  if (value_) {
    ForEachSignificantDigit(number, [this](char digit) {
      digits_.push_back(digit);
      return true;
    });
  }
}

bool TapeQuery::HoldsText(std::string_view line) const {
  if (line.size() < text_.size()) return false;
  const std::size_t last = line.size() - text_.size();
  for (std::size_t at = 0; at <= last; ++at) {
    if (!startsText_[static_cast<unsigned char>(line[at])]) continue;
    std::size_t k = 1;
    while (k < text_.size() && Lower(line[at + k]) == text_[k]) ++k;
    if (k == text_.size()) return true;
  }
  return false;
}

bool TapeQuery::HasValue(const TapeLineWords& words) const {
  return !words.first.empty() && ValueOfPlain(TapeNumberValue(words.first, words.radix)) == value_;
}

bool TapeQuery::MayHoldValue(std::string_view line) const {
  // A decimal line's number is its first word: a minus sign, then digits and
  // a point, its significant digits in a row with zeros after them.
  const char* c = line.data();
  const char* const end = c + line.size();
  if (c != end && *c == '-') ++c;
  std::size_t matched = 0;
  for (; c != end; ++c) {
    if (*c == ',' || *c == '.') continue;
    if (!IsDigit(*c)) break;  // the word's end, or its exponent
    if (matched == 0 && *c == '0') continue;
    if (matched == digits_.size()) {
      if (*c != '0') return false;
    } else if (*c != digits_[matched++]) {
      return false;
    }
  }
  return matched == digits_.size() && c != line.data();
}

bool TapeQuery::Matches(std::string_view line, TapeLineReader& reader) const {
  if (empty()) return false;
  if (!IsNumber()) return HoldsText(line);
  // Only a heading changes the reader, and in decimal a line without the
  // digits cannot have the value: most lines need no more than a glance.
  if (reader.radix() == 10 && !line.starts_with('(') && !MayHoldValue(line)) return false;
  return HasValue(reader.Next(line));
}

std::optional<TapeFound> FindOnTape(std::span<const std::string> lines, int startRadix, const TapeQuery& query,
                                    std::optional<std::size_t> from, bool down) {
  // Read in order, as a line's system follows from the headings before it:
  // going down the search stops at the first match past `from`, going up it
  // needs the last before it.
  std::optional<std::size_t> onTheWay, roundTheEnd;
  TapeLineReader reader(startRadix);
  for (std::size_t i = 0; i < lines.size() && !query.empty(); ++i) {
    if (!query.Matches(lines[i], reader)) continue;
    if (down) {
      if (!from || i > *from) return TapeFound{i, false};
      if (!roundTheEnd) roundTheEnd = i;
    } else if (!from || i < *from) {
      onTheWay = i;
    } else {
      roundTheEnd = i;
    }
  }
  if (onTheWay) return TapeFound{*onTheWay, false};
  if (roundTheEnd) return TapeFound{*roundTheEnd, true};
  return std::nullopt;
}

FindOutcome DescribeFind(std::string_view typed, const std::optional<TapeFound>& found,
                         std::span<const std::string> lines, bool down) {
  if (TapeQuery(typed).empty()) return {"Type a text or a number to find.", "Type a text or a number to find."};
  if (!found || found->line >= lines.size()) {
    std::string status = "\"" + std::string(typed) + "\" is not on the tape.";
    return {status, status};
  }
  const std::string where = "line " + std::to_string(found->line + 1) + " of " + std::to_string(lines.size());
  std::string status = found->wrapped
                           ? (down ? "Passed the end of the tape: found on " : "Passed the top of the tape: found on ")
                           : "Found on ";
  status += where + ".";
  return {status, status + " " + lines[found->line]};
}

}  // namespace tallix
