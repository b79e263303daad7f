#include "engine/tape_note.h"

namespace tallix {

std::string NoteLine(std::string_view text) {
  std::string words;
  for (const char c : text) words += (c == '\r' || c == '\n' || c == '\t' || c == '\0') ? ' ' : c;
  const std::size_t first = words.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  words = words.substr(first, words.find_last_not_of(' ') - first + 1).substr(0, kMaxNoteLength);
  return '"' + words + '"';
}

bool IsNoteLine(std::string_view line) { return line.size() >= 2 && line.front() == '"' && line.back() == '"'; }

}  // namespace tallix
