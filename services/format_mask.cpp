// FormatNumber: picture masks laid out right to left over the rounded digits.

#include "services/format_mask.h"

#include <algorithm>

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

// Places the integer digits into the integer placeholders from the right,
// grouping them in threes; returns where the sign belongs in the reversed text.
class IntegerLayout {
 public:
  IntegerLayout(const std::string& digits, const PictureSection& section)
      : digits_(digits), remaining_(digits.size()), section_(section) {}

  void Place(PictureItem::Kind kind, std::string& reversed) {
    const bool leftmost = ++taken_ == section_.integerPlaceholders;
    const std::size_t count = leftmost ? remaining_ : std::min<std::size_t>(remaining_, 1);
    for (std::size_t i = 0; i < count; ++i) Emit(digits_[--remaining_], reversed);
    if (count == 0 && kind == PictureItem::Kind::kZero) Emit('0', reversed);
  }

  std::size_t signPosition() const { return signPosition_; }

 private:
  void Emit(char c, std::string& reversed) {
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

std::string LayOut(PictureSection section, const DecimalDigits18& form, bool printSign) {
  const bool zero = IsZero(form);
  if (section.integerPlaceholders + section.fractionPlaceholders == 0) {
    std::string text;
    for (const PictureItem& item : section.items) text += item.literal;
    return text;
  }
  if (section.integerPlaceholders == 0) {
    // Every result has an integer digit; without a place for it, it goes
    // right before the point.
    const auto point = std::find_if(section.items.begin(), section.items.end(),
                                    [](const PictureItem& item) { return item.kind == PictureItem::Kind::kPoint; });
    section.items.insert(point, PictureItem{PictureItem::Kind::kHash, '#', false});
    section.integerPlaceholders = 1;
  }
  const detail::FixedDigits fixed =
      detail::RoundToPlaces(form, section.percent && !zero ? 2 : 0, section.fractionPlaceholders);
  const bool sign = printSign && !(section.fractionPlaceholders == 0 && fixed.integer == "0");

  std::string reversed;
  reversed.reserve(section.items.size() + fixed.integer.size() * 2 + 2);
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
  if (sign) reversed.insert(integer.signPosition(), 1, '-');
  std::reverse(reversed.begin(), reversed.end());
  return reversed;
}

// The section of the mask a finite value is laid out by: the negative or the
// zero section when the mask has one, else the first. Empty: none, the value
// prints as plain number text.
struct ChosenSection {
  std::string_view text;
  bool printSign = false;
};

ChosenSection ChooseSection(const DecimalDigits18& form, std::string_view mask) {
  const detail::MaskSections split = detail::SplitSections(mask);
  const bool zero = IsZero(form);
  ChosenSection chosen{split.sections[0], form.negative && !zero};
  if (chosen.printSign && split.count >= 2 && !split.sections[1].empty()) {
    chosen = {split.sections[1], false};
  } else if (zero && split.count >= 3 && !split.sections[2].empty()) {
    chosen.text = split.sections[2];
  }
  return chosen;
}

}  // namespace

std::string FormatNumber(Real value, std::string_view mask) {
  if (!detail::IsFinite(value)) return detail::NonFiniteText(value, false);
  const DecimalDigits18 form = ToDecimalDigits18(value);
  const ChosenSection chosen = ChooseSection(form, mask);
  if (chosen.text.empty()) return PlainNumberText(value, 18, false);
  return LayOut(detail::ParsePictureSection(chosen.text), form, chosen.printSign);
}

bool MaskShowsValue(Real value, std::string_view mask) {
  if (!detail::IsFinite(value)) return true;
  const ChosenSection chosen = ChooseSection(ToDecimalDigits18(value), mask);
  if (chosen.text.empty()) return true;
  const detail::PictureSection section = detail::ParsePictureSection(chosen.text);
  return section.integerPlaceholders + section.fractionPlaceholders > 0;
}

}  // namespace tallix
