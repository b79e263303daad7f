#pragma once
// How the engine and the side windows reach the settings file without knowing
// where or how it is stored. The application binds it to Tallix.ini; tests bind
// it to a map.

#include <span>
#include <string>
#include <string_view>

namespace tallix {

struct SettingWrite {
  std::string_view section, key, value;
};

class SettingsPort {
 public:
  virtual ~SettingsPort() = default;
  // The key's value, or `fallback` when the section or key is missing.
  virtual std::string Read(std::string_view section, std::string_view key, std::string_view fallback) = 0;
  // Creates the section or key as needed. Failures are silent by design: the
  // program then runs on defaults.
  virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
  // A store that replaces its whole file for a change replaces it once for
  // all of these.
  virtual void WriteMany(std::span<const SettingWrite> writes) {
    for (const auto& [section, key, value] : writes) Write(section, key, value);
  }
  virtual void DeleteSection(std::string_view section) = 0;
};

}  // namespace tallix
