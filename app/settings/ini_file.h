#pragma once
// Tallix.ini: the one persistent store, read and written in the format of the
// Windows private-profile functions. Each call reads the file afresh, and each
// change replaces the whole file at once, so the file on disk is never half
// written. A change re-reads the file and replaces it under the writers' lock
// (SettingsFileLock), so writers in several processes lose none of each
// other's keys; of two writes to the same key the later one stays.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/ini_document.h"
#include "app/settings/settings_io.h"
#include "engine/settings_port.h"

namespace tallix {

// The longest value a read returns; longer values are cut.
inline constexpr std::size_t kMaxSettingLength = 511;

// The key's value, or `fallback` when the file, the section or the key is
// missing or the file cannot be read; at most kMaxSettingLength characters.
std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view fallback);

// Creates the file, section or key as needed. False when the file could not be
// replaced (a read-only file or folder, a full disk, the writers' lock not had
// within kSettingsLockWait), when the existing file cannot be read or is over
// kMaxSettingsFileBytes (rewriting it would lose what it holds), or when a name
// cannot be stored (empty, a line break, "]" in a section name, "=" in a key
// name). Line breaks in the value are stored as blanks, as a value is one line.
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
  void WriteMany(std::span<const SettingWrite> writes) override;
  void DeleteSection(std::string_view section) override;

 private:
  std::string path_;
};

// One file's settings read once and written back at most once, for a run of
// calls such as the start-up's, which would otherwise read the file afresh for
// every key and replace it for every changed one. After Commit the file holds
// exactly what the same calls through IniSettings would have left in it, keys
// that other processes wrote in the meantime included.
class IniSettingsBatch final : public SettingsPort {
 public:
  explicit IniSettingsBatch(std::string path);

  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) override;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

  // Under the writers' lock, reads the file again, makes the batch's changes
  // to what it holds now and replaces it, at once, when that changed it. False
  // when that failed or the file could not be read in the first place (it is
  // then left alone, as every single write would have left it); the changes
  // are then kept for another Commit.
  bool Commit();

  // The file is over kMaxSettingsFileBytes: the reads saw only the settings in
  // its first kMaxSettingsFileBytes, and no change will be saved to it. The
  // user should be told, once.
  bool fileTooLarge() const { return status_ == FileBytes::Status::kTooLarge; }

 private:
  // A change made through the batch, replayed on the file as it is at Commit.
  struct Change {
    std::string section;
    std::string key;
    std::string value;
    bool removesSection;
  };

  std::string path_;
  FileBytes::Status status_;
  IniDocument document_;
  std::vector<Change> changes_;
};

// What to tell the user when the settings file is over kMaxSettingsFileBytes.
std::string SettingsFileTooLargeMessage(const std::string& path);

}  // namespace tallix
