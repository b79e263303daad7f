// FormatUsing: numeric fields of "#", "," and "." filled right-aligned, the
// literal text between them copied.

#include <algorithm>
#include <string>
#include <vector>

#include "services/fixed_digits.h"
#include "services/format_mask.h"
#include "services/non_finite.h"
#include "services/number_text.h"
#include "services/real_bits.h"

namespace tallix {

namespace {

struct FieldSegment {
  std::string literal;  // text before the field
  bool isField = false;
  std::size_t width = 0;
  std::size_t places = 0;
  bool grouping = false;
};

std::vector<FieldSegment> ParseFieldMask(std::string_view mask) {
  std::vector<FieldSegment> segments(1);
  std::size_t i = 0;
  auto next = [&](char c) { return i + 1 < mask.size() && mask[i + 1] == c; };
  while (i < mask.size()) {
    const char c = mask[i];
    if (c == '_') {
      if (i + 1 < mask.size()) segments.back().literal += mask[i + 1];
      i += 2;
      continue;
    }
    if (c != '#') {
      segments.back().literal += c;
      ++i;
      continue;
    }
    FieldSegment& field = segments.back();
    field.isField = true;
    for (; i < mask.size() && (mask[i] == '#' || (mask[i] == ',' && next('#'))); ++i) {
      field.grouping = field.grouping || mask[i] == ',';
      ++field.width;
    }
    if (i < mask.size() && mask[i] == '.' && next('#')) {
      for (++i, ++field.width; i < mask.size() && mask[i] == '#'; ++i) {
        ++field.width;
        ++field.places;
      }
    }
    segments.emplace_back();
  }
  return segments;
}

std::string Grouped(const std::string& digits) {
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string FieldText(Real value, const FieldSegment& field) {
  std::string text;
  if (!detail::IsFinite(value)) {
    text = detail::NonFiniteText(value, false);
  } else {
    const DecimalDigits18 form = ToDecimalDigits18(value);
    const detail::FixedDigits fixed = detail::RoundToPlaces(form, 0, field.places);
    const bool sign = form.negative && form.digits[0] != '0' && !(field.places == 0 && fixed.integer == "0");
    text = (sign ? "-" : "") + (field.grouping ? Grouped(fixed.integer) : fixed.integer);
    if (field.places > 0) text += '.' + fixed.fraction;
  }
  if (text.size() < field.width) text.insert(0, field.width - text.size(), ' ');
  return text;
}

}  // namespace

std::string FormatUsing(std::string_view mask, std::span<const Real> values) {
  const std::vector<FieldSegment> segments = ParseFieldMask(mask);
  std::string text;
  std::size_t used = 0;
  // A mask with fewer fields than values starts over, so no value is lost.
  do {
    for (const FieldSegment& segment : segments) {
      text += segment.literal;
      if (!segment.isField) continue;
      if (used == values.size()) return text;
      text += FieldText(values[used++], segment);
    }
  } while (used < values.size() && segments.size() > 1);
  return text;
}

std::string FormatUsing(std::string_view mask, std::initializer_list<Real> values) {
  return FormatUsing(mask, std::span<const Real>(values.begin(), values.size()));
}

std::size_t FieldCount(std::string_view mask) {
  const std::vector<FieldSegment> segments = ParseFieldMask(mask);
  return static_cast<std::size_t>(
      std::count_if(segments.begin(), segments.end(), [](const FieldSegment& segment) { return segment.isField; }));
}

}  // namespace tallix
