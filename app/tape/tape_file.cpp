#include "app/tape/tape_file.h"

#include <algorithm>
#include <new>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"
#include "services/number_text.h"

namespace tallix {

namespace {

constexpr std::size_t kColumn = 30;
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kDisplayMark = "** ";
constexpr std::string_view kTotalMark = "***";
// A tape near the size limits on a machine short of memory.
constexpr std::string_view kNoMemoryReason = "There is not enough memory";
// Lines before this one are the heading and its two empty lines.
constexpr std::size_t kFirstTapeLine = 4;

void AppendRightAligned(std::string& out, std::string_view line) {
  if (line.size() < kColumn) out.append(kColumn - line.size(), ' ');
  out.append(line);
}

// A line as the reader takes it: leading blanks gone, cut to the longest tape line.
std::string_view Trimmed(std::string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  return line.substr(0, kMaxTapeLineLength);
}

// A NUL would end the text in a window control.
void ReplaceNuls(std::string& text) {
  if (text.find('\0') != std::string::npos) std::replace(text.begin(), text.end(), '\0', '?');
}

// Where the lines of a file end: the next CR and the next LF, each found by a
// fast search and kept until the reader has passed it, so that a file of any
// kind of line ends is searched once through.
class LineEnds {
 public:
  explicit LineEnds(std::string_view bytes) : bytes_(bytes), cr_(Find('\r', 0)), lf_(Find('\n', 0)) {}

  // The end of the line that starts at `start`: its first CR or LF, or the end of the bytes.
  std::size_t EndOfLine(std::size_t start) {
    if (cr_ < start) cr_ = Find('\r', start);
    if (lf_ < start) lf_ = Find('\n', start);
    return std::min(cr_, lf_);
  }

 private:
  std::size_t Find(char c, std::size_t start) const { return std::min(bytes_.find(c, start), bytes_.size()); }

  std::string_view bytes_;
  std::size_t cr_;
  std::size_t lf_;
};

std::string WithDigits(int value, int digits) {
  std::string text = std::to_string(value);
  if (text.size() < static_cast<std::size_t>(digits))
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

std::size_t TapeLinesSize(std::span<const std::string> lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += std::max(line.size(), kColumn) + kCrLf.size();
  return size;
}

void AppendTapeLines(std::string& out, std::span<const std::string> lines) {
  for (const std::string& line : lines) {
    AppendRightAligned(out, line);
    out.append(kCrLf);
  }
}

std::string MebibytesText(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

std::string TapeReportHeading(const TapeStamp& stamp) {
  return std::string(kColumn, ' ') + "Tape Report (" + WithDigits(stamp.month, 2) + "-" + WithDigits(stamp.day, 2) +
         "-" + WithDigits(stamp.year, 4) + " at " + WithDigits(stamp.hour, 2) + ":" + WithDigits(stamp.minute, 2) +
         ":" + WithDigits(stamp.second, 2) + ")";
}

std::string RightAlignedTapeLine(std::string_view line) {
  std::string out;
  AppendRightAligned(out, line);
  return out;
}

std::string FormatTapeLines(std::span<const std::string> lines) {
  std::string out;
  out.reserve(TapeLinesSize(lines));
  AppendTapeLines(out, lines);
  return out;
}

std::string FormatTapeFile(std::span<const std::string> lines, std::string_view displayText, Real lastTotal,
                           const TapeStamp& stamp) {
  const std::string heading = TapeReportHeading(stamp);
  const std::string total = PlainNumberText(lastTotal, 15, true);
  std::string out;
  out.reserve(heading.size() + displayText.size() + total.size() + 7 + 6 * kCrLf.size() + TapeLinesSize(lines));
  out.append(heading).append(kCrLf).append(kCrLf).append(kCrLf);
  AppendTapeLines(out, lines);
  out.append(kCrLf);
  out.append(kDisplayMark).append(displayText).append(kCrLf);
  out.append(kTotalMark).append(" ").append(total).append(kCrLf);
  return out;
}

std::optional<LoadedTape> ParseTapeFile(std::string_view bytes) {
  LoadedTape tape;
  LineEnds lineEnds(bytes);
  std::size_t number = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = lineEnds.EndOfLine(start);
    const std::string_view line = Trimmed(bytes.substr(start, end - start));
    start = end + (bytes.substr(end, 2) == kCrLf ? 2 : 1);

    if (++number >= kFirstTapeLine && !line.starts_with("**")) {
      if (tape.lines.size() == kMaxLoadedTapeLines) return std::nullopt;
      ReplaceNuls(tape.lines.emplace_back(line));
    }
    if (line.starts_with(kDisplayMark)) ReplaceNuls(tape.displayText.emplace(line.substr(kDisplayMark.size())));
    if (line.starts_with(kTotalMark)) tape.lastTotal = ParseLeadingNumber(line.substr(kTotalMark.size()));
  }
  return tape;
}

TapeFileResult ReplaceTapeFile(const std::string& path, const std::function<std::string()>& bytes,
                               std::string_view done, std::string_view verb) {
  std::string reason;
  try {
    const std::string made = bytes();
    RemoveStaleTemporaries(path);
    if (ReplaceFileAtomically(path, made, &reason)) return {true, std::string(done) + path};
  } catch (const std::bad_alloc&) {
    reason = kNoMemoryReason;
  }
  return {false, "The tape could not be " + std::string(verb) + " as \"" + path + "\": " + reason + "."};
}

TapeFileResult SaveTapeFile(const std::string& path, std::span<const std::string> lines, std::string_view displayText,
                            Real lastTotal, const TapeStamp& stamp) {
  return ReplaceTapeFile(
      path, [&] { return FormatTapeFile(lines, displayText, lastTotal, stamp); }, "File was saved as: ", "saved");
}

TapeLoadResult LoadTapeFile(const std::string& path) {
  const auto refused = [&](std::string_view reason) {
    return TapeLoadResult{{false, "The tape file \"" + path + "\" could not be loaded: " + std::string(reason) + "."},
                          {}};
  };
  try {
    FileBytes file = ReadFileBytes(path, kMaxTapeFileBytes);
    switch (file.status) {
      case FileBytes::Status::kRead: break;
      case FileBytes::Status::kTooLarge:
        return refused("It is larger than " + MebibytesText(kMaxTapeFileBytes) + ", more than any tape holds");
      default: return refused(file.reason);
    }
    std::optional<LoadedTape> tape = ParseTapeFile(file.bytes);
    if (!tape) {
      return refused("It has more than " + std::to_string(kMaxLoadedTapeLines) + " lines, more than a tape holds");
    }
    return {{true, {}}, std::move(*tape)};
  } catch (const std::bad_alloc&) {
    return refused(kNoMemoryReason);
  }
}

}  // namespace tallix
