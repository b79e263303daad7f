#include "tools/transfer/transfer_options.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "services/number_text.h"

namespace tallix::transfer {

SizeEntry ReadSizeEntry(std::string_view text, std::optional<std::uint64_t> freeBytes) {
  const std::optional<Real> number = ParseNumberExact(text);
  if (!number || std::isnan(*number)) return {};
  const Real rounded = std::nearbyint(*number);
  if (rounded == 0) return {};
  if (rounded < 0) return {SizeEntry::Kind::kRefused, 0, "The file size must be a positive number of megabytes."};
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  if (!freeBytes && rounded > kLargest) {
    return {
        SizeEntry::Kind::kRefused, 0,
        "The folder's free space is unknown; the file size can be at most " + std::to_string(kLargest) + " megabytes."};
  }
  const std::uint64_t room = freeBytes ? *freeBytes / kMebibyte : kLargest;
  if (rounded > static_cast<Real>(room) || rounded > kLargest) {
    return {SizeEntry::Kind::kRefused, 0,
            "The folder has room for " + std::to_string(std::min<std::uint64_t>(room, kLargest)) +
                " megabytes; choose a smaller file size."};
  }
  return {SizeEntry::Kind::kRun, static_cast<std::int32_t>(rounded), {}};
}

}  // namespace tallix::transfer
