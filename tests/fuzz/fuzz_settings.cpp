// Tallix.ini as arbitrary bytes: parsing never fails, a document written back
// unchanged is the same bytes (hand-edited or damaged files lose nothing), and a
// stored value reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/settings/ini_document.h"

namespace {

// The fuzzer's input: three short names and a value, then the file itself.
struct Input {
  std::string section, key, value;
  std::string_view file;
};

Input Split(std::string_view data) {
  Input in;
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

bool IsPlainValue(std::string_view value) {
  if (value.find_first_of("\r\n", 0) != std::string_view::npos || value.find('\0') != std::string_view::npos) {
    return false;
  }
  if (tallix::TrimBlanks(value) != value) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in = Split(std::string_view(reinterpret_cast<const char*>(data), size));
  tallix::IniDocument document = tallix::IniDocument::Parse(std::string(in.file));
  if (document.Serialize() != in.file) std::abort();

  if (tallix::IsValidSectionName(in.section) && tallix::IsValidKeyName(in.key) && IsPlainValue(in.value)) {
    document.Set(in.section, in.key, in.value);
    tallix::IniDocument reread = tallix::IniDocument::Parse(document.Serialize());
    auto found = reread.Find(in.section, in.key);
    if (!found || *found != in.value) std::abort();
    reread.RemoveSection(in.section);
    if (reread.Find(in.section, in.key)) std::abort();
  }
  return 0;
}
