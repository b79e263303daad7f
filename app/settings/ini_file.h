#pragma once
// Tallix.ini: the one persistent store, read and written in the format of the
// Windows private-profile functions. Each call reads the file afresh, and each
// change replaces the whole file at once, so the file on disk is never half
// written.

#include <string>
#include <string_view>

#include "app/settings/ini_document.h"
#include "engine/settings_port.h"

namespace tallix {

// The longest value a read returns; longer values are cut.
inline constexpr std::size_t kMaxSettingLength = 511;

// The key's value, or `fallback` when the file, the section or the key is
// missing or the file cannot be read; at most kMaxSettingLength characters.
std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view fallback);

// Creates the file, section or key as needed. False when the file could not be
// replaced, when the existing file cannot be read (rewriting it would lose what
// it holds), or when a name cannot be stored (empty, a line break, "]" in a
// section name, "=" in a key name). Line breaks in the value are stored as
// blanks, as a value is one line.
bool WriteSetting(const std::string& file, std::string_view section, std::string_view key, std::string_view value);

// Removes every section of that name with its keys; true if the file is
// without it afterwards.
bool DeleteSection(const std::string& file, std::string_view section);

// The folder of the executable, up to and including its last "\" or "/",
// followed by "Tallix.ini".
std::string SettingsPathFor(std::string_view executablePath);

// The settings of one file, for the engine and the side windows.
class IniSettings final : public SettingsPort {
 public:
  explicit IniSettings(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

 private:
  std::string path_;
};

// One file's settings read once and written back at most once, for a run of
// calls such as the start-up's, which would otherwise read the file afresh for
// every key and replace it for every changed one. After Commit the file holds
// exactly what the same calls through IniSettings would have left in it.
class IniSettingsBatch final : public SettingsPort {
 public:
  explicit IniSettingsBatch(std::string path);

  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

  // Replaces the file, at once, when the calls changed it. False when that
  // failed or the file could not be read in the first place (it is then left
  // alone, as every single write would have left it).
  bool Commit();

 private:
  std::string path_;
  bool readable_ = false;
  std::string original_;
  IniDocument document_;
};

}  // namespace tallix
