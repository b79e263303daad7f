#pragma once
// Words and names typed by users ("inf", units on the command line) match
// whatever their letter case; only ASCII letters fold, as every word Tallix
// knows is ASCII.
#include <algorithm>
#include <cctype>
#include <string_view>

namespace tallix {

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace tallix
