#include "app/settings/ini_file.h"

#include <algorithm>
#include <optional>

#include "app/settings/ini_document.h"
#include "app/settings/settings_io.h"

namespace tallix {

namespace {

// The file as a document to change; nullopt when it cannot be read in full,
// as rewriting it would lose what it holds.
std::optional<IniDocument> LoadForRewrite(const std::string& file) {
  FileBytes contents = ReadFileBytes(file);
  if (contents.status != FileBytes::Status::kRead && contents.status != FileBytes::Status::kMissing) {
    return std::nullopt;
  }
  return IniDocument::Parse(std::move(contents.bytes));
}

// Lets `change` edit the file's document (returning whether it changed it) and
// replaces the file when it did.
template <typename Change>
bool RewriteDocument(const std::string& file, Change change) {
  std::optional<IniDocument> document = LoadForRewrite(file);
  if (!document) return false;
  // Most writes store what the file already holds: those need neither the
  // lock nor a new file. This also keeps a missing file missing when nothing
  // would go into it.
  if (!change(*document)) return true;
  const SettingsFileLock lock(file);
  // Another writer may have replaced the file since: the change is made again
  // to what it holds now.
  if (!lock.held() || !(document = LoadForRewrite(file))) return false;
  return !change(*document) || ReplaceFileAtomically(file, document->Serialize());
}

// What a read returns for a value found (or not) in the document.
std::string ReadResult(std::optional<std::string> value, std::string_view fallback) {
  std::string result = value ? std::move(*value) : std::string(fallback);
  // The system hands values over as C strings: they end at the first NUL.
  result.resize(std::min({result.find('\0'), result.size(), kMaxSettingLength}));
  return result;
}

// False, leaving the document as it was, when a name cannot be stored or the
// document already holds that value.
bool StoreSetting(IniDocument& document, std::string_view section, std::string_view key, std::string_view value) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key)) return false;
  std::string line(value);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return document.Set(section, key, line);
}

// A file over the size limit still has its settings read from its start.
bool HoldsSettings(FileBytes::Status status) {
  return status == FileBytes::Status::kRead || status == FileBytes::Status::kTooLarge;
}

}  // namespace

std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view fallback) {
  FileBytes contents = ReadFileBytes(file);
  std::optional<std::string> value;
  if (HoldsSettings(contents.status)) value = IniDocument::Parse(std::move(contents.bytes)).Find(section, key);
  return ReadResult(std::move(value), fallback);
}

bool WriteSetting(const std::string& file, std::string_view section, std::string_view key, std::string_view value) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key)) return false;
  return RewriteDocument(file, [&](IniDocument& document) { return StoreSetting(document, section, key, value); });
}

bool DeleteSection(const std::string& file, std::string_view section) {
  return RewriteDocument(file, [&](IniDocument& document) { return document.RemoveSection(section); });
}

std::string SettingsPathFor(std::string_view executablePath) {
  const auto slash = executablePath.find_last_of("\\/");
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view{} : executablePath.substr(0, slash + 1);
  return std::string(folder) + "Tallix.ini";
}

std::string IniSettings::Read(std::string_view section, std::string_view key, std::string_view fallback) {
  return ReadSetting(path_, section, key, fallback);
}

void IniSettings::Write(std::string_view section, std::string_view key, std::string_view value) {
  WriteSetting(path_, section, key, value);
}

void IniSettings::WriteMany(std::span<const SettingWrite> writes) {
  RewriteDocument(path_, [&](IniDocument& document) {
    bool changed = false;
    for (const auto& [section, key, value] : writes) changed = StoreSetting(document, section, key, value) || changed;
    return changed;
  });
}

void IniSettings::DeleteSection(std::string_view section) { tallix::DeleteSection(path_, section); }

IniSettingsBatch::IniSettingsBatch(std::string path) : path_(std::move(path)) {
  FileBytes contents = ReadFileBytes(path_);
  status_ = contents.status;
  document_ = IniDocument::Parse(std::move(contents.bytes));
}

std::string IniSettingsBatch::Read(std::string_view section, std::string_view key, std::string_view fallback) {
  return ReadResult(document_.Find(section, key), fallback);
}

// Only the calls that changed the batch's view are kept: a value written back
// as it was read must not undo what another process wrote since.
void IniSettingsBatch::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (StoreSetting(document_, section, key, value)) {
    changes_.push_back({std::string(section), std::string(key), std::string(value), false});
  }
}

void IniSettingsBatch::DeleteSection(std::string_view section) {
  if (document_.RemoveSection(section)) changes_.push_back({std::string(section), {}, {}, true});
}

bool IniSettingsBatch::Commit() {
  // Rewriting a file we could not read in full would lose what it holds.
  if (status_ != FileBytes::Status::kRead && status_ != FileBytes::Status::kMissing) return false;
  if (changes_.empty()) return true;
  const bool committed = RewriteDocument(path_, [&](IniDocument& document) {
    bool changed = false;
    for (const Change& change : changes_) {
      changed = (change.removesSection ? document.RemoveSection(change.section)
                                       : StoreSetting(document, change.section, change.key, change.value)) ||
                changed;
    }
    return changed;
  });
  if (committed) changes_.clear();
  return committed;
}

std::string SettingsFileTooLargeMessage(const std::string& path) {
  const std::string limit = std::to_string(kMaxSettingsFileBytes >> 20) + " MiB";
  return "The settings file " + path + " is larger than " + limit +
         ".\n\nTallix uses the settings found in its first " + limit +
         " and leaves the file as it is: changes to the settings last until Tallix is closed.";
}

}  // namespace tallix
