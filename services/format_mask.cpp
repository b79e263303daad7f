// FormatNumber: picture masks laid out right to left over the rounded digits.

#include "services/format_mask.h"

#include <algorithm>
#include <array>

#include "services/fixed_digits.h"
#include "services/non_finite.h"
#include "services/number_text.h"
#include "services/picture_mask.h"
#include "services/real_bits.h"

namespace tallix {

namespace {

using detail::PictureItem;
using detail::PictureSection;

bool IsZero(const DecimalDigits18& form) {
  return std::all_of(form.digits.begin(), form.digits.end(), [](char d) { return d == '0'; });
}

// Text written from its end towards its start, as the layout goes, into a
// buffer on the stack when it fits: no reversing, no growing.
class BackwardText {
 public:
  explicit BackwardText(std::size_t bound) {
    if (bound + 1 > stack_.size()) heap_.resize(bound + 1);
    char* const begin = heap_.empty() ? stack_.data() : heap_.data();
    end_ = at_ = begin + bound + 1;
  }
  BackwardText(const BackwardText&) = delete;
  BackwardText& operator=(const BackwardText&) = delete;

  void operator+=(char c) { *--at_ = c; }
  // Characters written so far, counted from the end.
  std::size_t size() const { return static_cast<std::size_t>(end_ - at_); }
  // Puts `c` before the last `fromEnd` characters.
  void InsertAt(std::size_t fromEnd, char c) {
    char* const place = end_ - fromEnd;
    std::copy(at_, place, at_ - 1);
    --at_;
    place[-1] = c;
  }
  std::string str() const { return std::string(at_, end_); }

 private:
  std::array<char, 128> stack_;
  std::string heap_;
  char* end_;
  char* at_;
};

// Places the integer digits into the integer placeholders from the right,
// grouping them in threes; returns where the sign belongs in the reversed text.
class IntegerLayout {
 public:
  IntegerLayout(const std::string& digits, const PictureSection& section)
      : digits_(digits), remaining_(digits.size()), section_(section) {}

  void Place(PictureItem::Kind kind, BackwardText& reversed) {
    const bool leftmost = ++taken_ == section_.integerPlaceholders;
    const std::size_t count = leftmost ? remaining_ : std::min<std::size_t>(remaining_, 1);
    for (std::size_t i = 0; i < count; ++i) Emit(digits_[--remaining_], reversed);
    if (count == 0 && kind == PictureItem::Kind::kZero) Emit('0', reversed);
  }

  std::size_t signPosition() const { return signPosition_; }

 private:
  void Emit(char c, BackwardText& reversed) {
    if (section_.grouping && printed_ > 0 && printed_ % 3 == 0) reversed += ',';
    reversed += c;
    ++printed_;
    signPosition_ = reversed.size();
  }

  const std::string& digits_;
  std::size_t remaining_;
  const PictureSection& section_;
  std::size_t taken_ = 0;
  std::size_t printed_ = 0;
  std::size_t signPosition_ = 0;
};

std::string LayOut(const PictureSection& section, const DecimalDigits18& form, bool printSign, RoundingRule rule) {
  const bool zero = IsZero(form);
  if (section.integerPlaceholders + section.fractionPlaceholders == 0) {
    std::string text;
    for (const PictureItem& item : section.items) text += item.literal;
    return text;
  }
  const detail::FixedDigits fixed =
      detail::RoundToPlaces(form, section.percent && !zero ? 2 : 0, section.fractionPlaceholders, rule);
  const bool sign = printSign && !(section.fractionPlaceholders == 0 && fixed.integer == "0");

  // Each character written (a placeholder's digit or literal, or an integer
  // digit beyond the placeholders) may bring a grouping comma; then the sign.
  BackwardText reversed(2 * (section.items.size() + fixed.integer.size()) + 2);
  std::size_t fractionIndex = fixed.fraction.size();
  bool trailingZeros = true;
  IntegerLayout integer(fixed.integer, section);
  for (auto item = section.items.rbegin(); item != section.items.rend(); ++item) {
    if (item->kind == PictureItem::Kind::kLiteral || item->kind == PictureItem::Kind::kPoint) {
      reversed += item->literal;
    } else if (item->inFraction) {
      const char digit = fixed.fraction[--fractionIndex];
      trailingZeros = trailingZeros && digit == '0';
      if (!trailingZeros || item->kind == PictureItem::Kind::kZero) reversed += digit;
    } else {
      integer.Place(item->kind, reversed);
    }
  }
  if (sign) reversed.InsertAt(integer.signPosition(), '-');
  return reversed.str();
}

// The section of the mask a finite value is laid out by: the negative or the
// zero section when the mask has one, else the first. Empty: none, the value
// prints as plain number text.
struct ChosenSection {
  const PictureSection* section = nullptr;
  bool printSign = false;
};

ChosenSection ChooseSection(const DecimalDigits18& form, std::string_view mask) {
  const detail::PictureMask& parsed = detail::ParsedPictureMask(mask);
  const bool zero = IsZero(form);
  const auto section = [&](std::size_t i) { return parsed.given[i] ? &parsed.sections[i] : nullptr; };
  ChosenSection chosen{section(0), form.negative && !zero};
  if (chosen.printSign && parsed.count >= 2 && parsed.given[1]) {
    chosen = {section(1), false};
  } else if (zero && parsed.count >= 3 && parsed.given[2]) {
    chosen.section = section(2);
  }
  return chosen;
}

}  // namespace

std::string FormatNumber(Real value, std::string_view mask, RoundingRule rule) {
  if (!detail::IsFinite(value)) return detail::NonFiniteText(value, false);
  const DecimalDigits18 form = ToDecimalDigits18(value);
  const ChosenSection chosen = ChooseSection(form, mask);
  if (!chosen.section) return PlainNumberText(value, 18, false);
  return LayOut(*chosen.section, form, chosen.printSign, rule);
}

bool MaskShowsValue(Real value, std::string_view mask) {
  if (!detail::IsFinite(value)) return true;
  const ChosenSection chosen = ChooseSection(ToDecimalDigits18(value), mask);
  if (!chosen.section) return true;
  return chosen.section->integerPlaceholders + chosen.section->fractionPlaceholders > 0;
}

}  // namespace tallix
