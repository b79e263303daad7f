#pragma once
// A picture mask section parsed once into a template of placeholders and
// literals, as FormatNumber lays it out.

#include <array>
#include <string_view>
#include <vector>

namespace tallix::detail {

struct PictureItem {
  enum class Kind { kHash, kZero, kPoint, kLiteral };
  Kind kind = Kind::kLiteral;
  char literal = 0;
  bool inFraction = false;
};

struct PictureSection {
  std::vector<PictureItem> items;
  std::size_t integerPlaceholders = 0;
  std::size_t fractionPlaceholders = 0;
  bool grouping = false;
  bool percent = false;
};

// Up to three sections split at ";" outside quotes and escapes.
struct MaskSections {
  std::array<std::string_view, 3> sections;
  std::size_t count = 0;
};
MaskSections SplitSections(std::string_view mask);

PictureSection ParsePictureSection(std::string_view section);

}  // namespace tallix::detail
