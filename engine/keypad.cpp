#include "engine/keypad.h"

#include <array>

namespace tallix {

namespace {

constexpr std::array<std::string_view, kKeyCount> kCaptions = {
    "0",   "1",   "2",   "3",    "4",   "5",    "6",        "7",     "8",     "9",   "A",     "B",    "C",
    "D",   "E",   "F",   ".",    "+/-", "Back", "CE",       "Clear", "CT",    "+",   "-",     "\xD7", "\xF7",
    "=",   "%",   "MC",  "MR",   "MS",  "M+",   "2nd",      "+Tax",  "Chg",   "1/x", "Feed",  "Dec",  "Hex",
    "Bin", "Oct", "Cnv", "Area", "Vol", "Loan", "Transfer", "Help",  "Start", "Lap", "Reset", "[O]",
};

}  // namespace

Key DigitKey(int value) { return static_cast<Key>(value); }

std::string_view KeyCaption(Key key) { return kCaptions[static_cast<std::size_t>(key)]; }

std::optional<Key> KeyFromCaption(std::string_view caption) {
  for (std::size_t i = 0; i < kCaptions.size(); ++i) {
    if (kCaptions[i] == caption) return static_cast<Key>(i);
  }
  return std::nullopt;
}

std::optional<Key> KeyFromScriptName(std::string_view name) {
  if (name == "*" || name == "\xC3\x97") return Key::Times;
  if (name == "/" || name == "\xC3\xB7") return Key::Divide;
  // The Windows-1252 captions themselves are accepted too: a Windows command
  // line arrives in the ANSI code page.
  return KeyFromCaption(name);
}

}  // namespace tallix
