#include "tools/transfer/transfer_figures.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "services/format_mask.h"

namespace tallix::transfer {

namespace {

constexpr char kCountMask[] = "###,###,###";
constexpr char kSecondsMask[] = "##,###.#######";
constexpr long double kBitsPerMebibit = 1048576.0L;

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Field(std::string_view mask, long double value) {
  return Trimmed(FormatUsing(mask, {static_cast<Real>(value)}));
}

}  // namespace

StepFigures ComputeFigures(std::int64_t bytes, long double elapsed) {
  StepFigures figures{bytes, elapsed};
  // The bit rate must fit too; anything near that is a clock that did not move.
  constexpr long double kLargestRate = std::numeric_limits<std::int64_t>::max() / 8;
  const long double rate = elapsed > 0 ? std::nearbyint(static_cast<long double>(bytes) / elapsed) : 0;
  if (!(elapsed > 0) || !(rate <= kLargestRate)) {
    figures.tooFast = true;
    return figures;
  }
  figures.bytesPerSecond = static_cast<std::int64_t>(rate);
  figures.bitsPerSecond = 8 * figures.bytesPerSecond;
  return figures;
}

ColumnTexts ColumnFieldTexts(const StepResult& result) {
  const StepFigures& f = result.figures;
  switch (result.outcome) {
    case StepOutcome::kNotRun: return {};
    case StepOutcome::kFailed: return {Field(kCountMask, f.bytes), kFailedText, "", "", ""};
    case StepOutcome::kMeasured: break;
  }
  if (f.tooFast) return {Field(kCountMask, f.bytes), Field(kSecondsMask, f.elapsed), kTooFastText, "", ""};
  return {Field(kCountMask, f.bytes), Field(kSecondsMask, f.elapsed), Field(kCountMask, f.bytesPerSecond),
          Field(kCountMask, f.bitsPerSecond), Field(kSecondsMask, f.bitsPerSecond / kBitsPerMebibit)};
}

}  // namespace tallix::transfer
