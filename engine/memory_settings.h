#pragma once
// A SettingsPort kept in memory, for hosts without a settings file
// (tallix-cli, tests, benchmarks).

#include <map>
#include <string>
#include <utility>

#include "engine/settings_port.h"

namespace tallix {

class MemorySettings : public SettingsPort {
 public:
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override {
    const auto found = values.find({std::string(section), std::string(key)});
    return found == values.end() ? std::string(fallback) : found->second;
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    values[{std::string(section), std::string(key)}] = value;
  }
  void DeleteSection(std::string_view section) override {
    std::erase_if(values, [&](const auto& entry) { return entry.first.first == section; });
  }

  std::map<std::pair<std::string, std::string>, std::string> values;
};

}  // namespace tallix
