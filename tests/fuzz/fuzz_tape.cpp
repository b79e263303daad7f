// Arbitrary bytes as a tape file: what a load makes of them holds only lines a
// tape can hold, and saving that and loading it again gives it back (with the
// one empty line the separator before the trailers adds). Its first line,
// given to Find, finds itself first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tape/tape_file.h"
#include "app/tape/tape_find.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<tallix::LoadedTape> tape = tallix::ParseTapeFile(bytes);
  Check(tape.has_value());  // inputs stay far below the line limit
  for (const std::string& line : tape->lines) {
    Check(line.size() <= tallix::kMaxTapeLineLength);
    Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    Check(!line.starts_with(' ') && !line.starts_with("**"));
  }

  const std::string display = tape->displayText.value_or("");
  const std::string saved = tallix::FormatTapeFile(tape->lines, display, tape->lastTotal.value_or(0), {});
  const std::optional<tallix::LoadedTape> again = tallix::ParseTapeFile(saved);
  Check(again.has_value());
  std::vector<std::string> expected = tape->lines;
  expected.emplace_back();
  Check(again->lines == expected);
  Check(again->displayText == display);
  Check(again->lastTotal.has_value());

  if (!tape->lines.empty() && !tape->lines.front().empty()) {
    const tallix::TapeQuery query(tape->lines.front());
    const std::optional<tallix::TapeFound> first = tallix::FindOnTape(tape->lines, 10, query, std::nullopt, true);
    Check(first && first->line == 0 && !first->wrapped);
    // Up from it, nothing comes before it: round the top to the last match.
    const std::optional<tallix::TapeFound> up = tallix::FindOnTape(tape->lines, 10, query, 0, false);
    Check(up && up->wrapped && up->line < tape->lines.size());
  }
  return 0;
}
