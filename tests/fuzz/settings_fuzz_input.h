#pragma once
// The settings fuzzers' input: three short fields (a section name, a key name
// and a value), each ended by \x01 or cut at 12 bytes, then the file itself.
// Both targets read it the same way, so they share their seeds.

#include <string>
#include <string_view>

#include "app/settings/ini_document.h"

namespace tallix::fuzz {

struct SettingsInput {
  std::string section, key, value;
  std::string_view file;
};

inline SettingsInput SplitSettingsInput(std::string_view data) {
  SettingsInput in;
  std::string* fields[] = {&in.section, &in.key, &in.value};
  for (std::string* field : fields) {
    std::size_t end = data.find('\x01');
    if (end == std::string_view::npos) end = data.size() < 12 ? data.size() : 12;
    field->assign(data.substr(0, end));
    data.remove_prefix(end < data.size() ? end + 1 : data.size());
  }
  in.file = data;
  return in;
}

// A value that reads back as written: one line, no blanks around it, not in
// quotes, no NUL.
inline bool IsPlainValue(std::string_view value) {
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  if (TrimBlanks(value) != value) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

}  // namespace tallix::fuzz
