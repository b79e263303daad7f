// Tallix.ini as arbitrary bytes: parsing never fails, a document written back
// unchanged is the same bytes (hand-edited or damaged files lose nothing), and a
// stored value reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/settings/ini_document.h"
#include "tests/fuzz/settings_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tallix::fuzz::SettingsInput in =
      tallix::fuzz::SplitSettingsInput(std::string_view(reinterpret_cast<const char*>(data), size));
  tallix::IniDocument document = tallix::IniDocument::Parse(std::string(in.file));
  if (document.Serialize() != in.file) std::abort();

  if (tallix::IsValidSectionName(in.section) && tallix::IsValidKeyName(in.key) &&
      tallix::fuzz::IsPlainValue(in.value)) {
    document.Set(in.section, in.key, in.value);
    tallix::IniDocument reread = tallix::IniDocument::Parse(document.Serialize());
    auto found = reread.Find(in.section, in.key);
    if (!found || *found != in.value) std::abort();
    reread.RemoveSection(in.section);
    if (reread.Find(in.section, in.key)) std::abort();
  }
  return 0;
}
