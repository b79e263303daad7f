#include "services/picture_mask.h"

#include <algorithm>
#include <string>

namespace tallix::detail {

MaskSections SplitSections(std::string_view mask) {
  MaskSections split;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && !quoted) {
      ++i;
    } else if (c == ';' && !quoted) {
      split.sections[split.count++] = mask.substr(start, i - start);
      start = i + 1;
      if (split.count == 3) return split;  // anything after a third ";" is unused
    }
  }
  split.sections[split.count++] = mask.substr(start);
  return split;
}

namespace {

bool IsPrintedLiteral(char c) { return c == '$' || c == '-' || c == '+' || c == '(' || c == ')' || c == ' '; }

}  // namespace

PictureSection ParsePictureSection(std::string_view section) {
  PictureSection parsed;
  parsed.items.reserve(section.size() + 1);
  bool afterPoint = false;
  bool afterPlaceholder = false;
  bool anyPlaceholder = false;
  auto literal = [&](char c) { parsed.items.push_back({PictureItem::Kind::kLiteral, c, afterPoint}); };
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    const bool placeholderBefore = afterPlaceholder;
    afterPlaceholder = false;
    switch (c) {
      case '#':
      case '0':
        parsed.items.push_back({c == '#' ? PictureItem::Kind::kHash : PictureItem::Kind::kZero, c, afterPoint});
        ++(afterPoint ? parsed.fractionPlaceholders : parsed.integerPlaceholders);
        afterPlaceholder = anyPlaceholder = true;
        break;
      case '.':
        if (afterPoint) {
          literal(c);
        } else {
          parsed.items.push_back({PictureItem::Kind::kPoint, c, false});
          afterPoint = true;
        }
        break;
      case ',':
        if (placeholderBefore)
          parsed.grouping = true;
        else
          literal(c);
        break;
      case '%':
        if (placeholderBefore) {
          parsed.percent = true;
          literal(c);
        }
        break;
      case '\\':
        if (i + 1 < section.size()) literal(section[++i]);
        break;
      case '"':
        for (++i; i < section.size() && section[i] != '"'; ++i) literal(section[i]);
        break;
      case 'E':
      case 'e':
        if (anyPlaceholder) literal(c);
        break;
      case '*':
        ++i;  // a fill character needs a field width, which pictures do not have
        break;
      default:
        if (IsPrintedLiteral(c)) literal(c);
        break;
    }
  }
  if (parsed.integerPlaceholders == 0 && parsed.fractionPlaceholders > 0) {
    const auto point = std::find_if(parsed.items.begin(), parsed.items.end(),
                                    [](const PictureItem& item) { return item.kind == PictureItem::Kind::kPoint; });
    parsed.items.insert(point, PictureItem{PictureItem::Kind::kHash, '#', false});
    parsed.integerPlaceholders = 1;
  }
  return parsed;
}

const PictureMask& ParsedPictureMask(std::string_view mask) {
  struct Entry {
    std::string text;
    PictureMask parsed;
  };
  constexpr std::size_t kKept = 16;
  thread_local std::vector<Entry> kept;
  thread_local std::size_t nextReplaced = 0;
  for (const Entry& entry : kept) {
    if (entry.text == mask) return entry.parsed;
  }
  Entry entry{std::string(mask), {}};
  const MaskSections split = SplitSections(mask);
  entry.parsed.count = split.count;
  for (std::size_t i = 0; i < split.count; ++i) {
    entry.parsed.sections[i] = ParsePictureSection(split.sections[i]);
    entry.parsed.given[i] = !split.sections[i].empty();
  }
  if (kept.size() < kKept) return kept.emplace_back(std::move(entry)).parsed;
  Entry& replaced = kept[nextReplaced++ % kKept];
  replaced = std::move(entry);
  return replaced.parsed;
}

}  // namespace tallix::detail
