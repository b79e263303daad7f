#include "engine/tape_note.h"

#include <cstdio>

#include "services/codepage1252.h"

namespace tallix {

std::string NoteLine(std::string_view text) {
  std::string words;
  for (const char c : text) words += (c == '\r' || c == '\n' || c == '\t' || c == '\0') ? ' ' : c;
  const std::size_t first = words.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  words = words.substr(first, words.find_last_not_of(' ') - first + 1).substr(0, kMaxNoteLength);
  return '"' + words + '"';
}

std::string NoteRefusal(std::string_view utf8) {
  const std::u32string missing = CharactersWithoutCp1252(utf8);
  if (missing.empty()) return {};
  // A pasted page of text would make a message longer than the screen.
  constexpr std::size_t kNamed = 10;
  std::string named;
  for (const char32_t point : std::u32string_view(missing).substr(0, kNamed)) {
    // The code point too: a mark that combines, or one not drawn, shows nothing by itself.
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    named += (named.empty() ? "" : ", ") + ("\"" + CodePointToUtf8(point) + "\" (") + code + ")";
  }
  if (missing.size() > kNamed) named += " and " + std::to_string(missing.size() - kNamed) + " more";
  return "The tape keeps only the characters of Windows-1252 (Western European), as its files do; this note "
         "holds characters it would lose: " +
         named + ". Write the note without them.";
}

bool IsNoteLine(std::string_view line) { return line.size() >= 2 && line.front() == '"' && line.back() == '"'; }

}  // namespace tallix
