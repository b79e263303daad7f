#include "app/settings/ini_file.h"

#include <algorithm>
#include <optional>

#include "app/settings/ini_document.h"
#include "app/settings/settings_io.h"

namespace tallix {

namespace {

// Loads the document, lets `change` edit it, and replaces the file only when
// the bytes differ. An unreadable file is never replaced.
template <typename Change>
bool RewriteDocument(const std::string& file, Change change) {
  const FileBytes old = ReadFileBytes(file);
  if (old.status == FileBytes::Status::kUnreadable) return false;
  IniDocument document = IniDocument::Parse(old.bytes);
  change(document);
  const std::string bytes = document.Serialize();
  // Also covers a missing file that would stay empty: nothing to create.
  if (bytes == old.bytes) return true;
  return ReplaceFileAtomically(file, bytes);
}

// What a read returns for a value found (or not) in the document.
std::string ReadResult(std::optional<std::string> value, std::string_view fallback) {
  std::string result = value ? std::move(*value) : std::string(fallback);
  // The system hands values over as C strings: they end at the first NUL.
  result.resize(std::min({result.find('\0'), result.size(), kMaxSettingLength}));
  return result;
}

// False, leaving the document as it was, when a name cannot be stored.
bool StoreSetting(IniDocument& document, std::string_view section, std::string_view key, std::string_view value) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key)) return false;
  std::string line(value);
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  document.Set(section, key, line);
  return true;
}

}  // namespace

std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view fallback) {
  const FileBytes contents = ReadFileBytes(file);
  std::optional<std::string> value;
  if (contents.status == FileBytes::Status::kRead) value = IniDocument::Parse(contents.bytes).Find(section, key);
  return ReadResult(std::move(value), fallback);
}

bool WriteSetting(const std::string& file, std::string_view section, std::string_view key, std::string_view value) {
  if (!IsValidSectionName(section) || !IsValidKeyName(key)) return false;
  return RewriteDocument(file, [&](IniDocument& document) { StoreSetting(document, section, key, value); });
}

bool DeleteSection(const std::string& file, std::string_view section) {
  return RewriteDocument(file, [&](IniDocument& document) { document.RemoveSection(section); });
}

std::string SettingsPathFor(std::string_view executablePath) {
  const auto slash = executablePath.find_last_of("\\/");
  const std::string_view folder = slash == std::string_view::npos ? std::string_view{} : executablePath.substr(0, slash + 1);
  return std::string(folder) + "Tallix.ini";
}

std::string IniSettings::Read(std::string_view section, std::string_view key, std::string_view fallback) {
  return ReadSetting(path_, section, key, fallback);
}

void IniSettings::Write(std::string_view section, std::string_view key, std::string_view value) {
  WriteSetting(path_, section, key, value);
}

void IniSettings::DeleteSection(std::string_view section) { tallix::DeleteSection(path_, section); }

IniSettingsBatch::IniSettingsBatch(std::string path) : path_(std::move(path)) {
  FileBytes contents = ReadFileBytes(path_);
  readable_ = contents.status != FileBytes::Status::kUnreadable;
  original_ = std::move(contents.bytes);
  document_ = IniDocument::Parse(original_);
}

std::string IniSettingsBatch::Read(std::string_view section, std::string_view key, std::string_view fallback) {
  return ReadResult(document_.Find(section, key), fallback);
}

void IniSettingsBatch::Write(std::string_view section, std::string_view key, std::string_view value) {
  StoreSetting(document_, section, key, value);
}

void IniSettingsBatch::DeleteSection(std::string_view section) { document_.RemoveSection(section); }

bool IniSettingsBatch::Commit() {
  // Rewriting a file we could not read would lose what it holds.
  if (!readable_) return false;
  std::string bytes = document_.Serialize();
  if (bytes == original_) return true;
  if (!ReplaceFileAtomically(path_, bytes)) return false;
  original_ = std::move(bytes);
  return true;
}

}  // namespace tallix
