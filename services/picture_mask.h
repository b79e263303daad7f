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

// A section without integer placeholders gets one right before the point:
// every result has an integer digit.
PictureSection ParsePictureSection(std::string_view section);

// A whole mask, its sections parsed.
struct PictureMask {
  std::array<PictureSection, 3> sections;
  std::array<bool, 3> given{};  // the section's text is not empty
  std::size_t count = 0;
};

// The few masks in use are formatted over and over, so each is parsed once
// and kept. The reference holds until the next call on the same thread.
const PictureMask& ParsedPictureMask(std::string_view mask);

}  // namespace tallix::detail
