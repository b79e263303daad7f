#pragma once
// Words and names typed by users ("inf", units on the command line) match
// whatever their letter case; only ASCII letters fold, as every word Tallix
// knows is ASCII.
#include <algorithm>
#include <string_view>

namespace tallix {

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace tallix
