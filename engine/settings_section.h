#pragma once
// A window's own section of Tallix.ini (the area and volume calculators'
// fields, the loan profiles): the window reads every key of it when it opens,
// writes them back in one fixed order, and its Clear removes the section.
//
//   constexpr SettingKey kAreaKeys[] = {{"Metric", "0"}, {"Length"}, {"Width"}, {"Result"},
//                                       {"L1"}, {"W1"}, {"R1"}};
//   constexpr SectionSchema kAreaSection{"Area Settings", kAreaKeys};
//
//   SectionValues fields = SectionValues::Read(settings, kAreaSection);  // on open
//   fields.Set("Length", "12");
//   fields.Write(settings);                                               // "Metric" first, "R1" last
//   ClearSection(settings, kAreaSection);                                 // Clear
//

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/settings_port.h"

namespace tallix {

struct SettingKey {
  std::string_view name;
  std::string_view fallback = "";  // what a missing key reads as
};

struct SectionSchema {
  std::string_view section;
  std::span<const SettingKey> keys;  // in writing order
};

// The values of a section's keys, or of one numbered slot of them: with slot
// "3" the key "Name" is stored as "Name3", as the loan profiles keep theirs.
class SectionValues {
 public:
  static SectionValues Read(SettingsPort& settings, const SectionSchema& schema, std::string_view slot = "") {
    SectionValues values(schema, slot);
    for (const SettingKey& key : schema.keys) {
      values.values_.push_back(settings.Read(schema.section, values.StoredName(key), key.fallback));
    }
    return values;
  }

  // Empty text for a key the schema does not have.
  const std::string& Get(std::string_view key) const {
    static const std::string kNone;
    const std::size_t index = IndexOf(key);
    return index < values_.size() ? values_[index] : kNone;
  }

  // False, changing nothing, for a key the schema does not have.
  bool Set(std::string_view key, std::string value) {
    const std::size_t index = IndexOf(key);
    if (index >= values_.size()) return false;
    values_[index] = std::move(value);
    return true;
  }

  // Every key, in the schema's order.
  void Write(SettingsPort& settings) const {
    for (std::size_t i = 0; i < values_.size(); ++i) {
      settings.Write(schema_.section, StoredName(schema_.keys[i]), values_[i]);
    }
  }

 private:
  SectionValues(const SectionSchema& schema, std::string_view slot) : schema_(schema), slot_(slot) {}

  std::size_t IndexOf(std::string_view key) const {
    const auto found = std::ranges::find(schema_.keys, key, &SettingKey::name);
    return static_cast<std::size_t>(found - schema_.keys.begin());
  }
  std::string StoredName(const SettingKey& key) const { return std::string(key.name) + slot_; }

  SectionSchema schema_;
  std::string slot_;
  std::vector<std::string> values_;
};

// The window's Clear: the whole section goes, every slot with it.
inline void ClearSection(SettingsPort& settings, const SectionSchema& schema) {
  settings.DeleteSection(schema.section);
}

}  // namespace tallix
