#include "app/settings/settings_temporaries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/settings/settings_io.h"

namespace tallix {

namespace {

namespace fs = std::filesystem;

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// `name` is `leaf` + ".<digits>.<digits>.tmp".
bool IsTemporaryName(std::string_view name, std::string_view leaf) {
  constexpr std::string_view kSuffix = ".tmp";
  if (!name.starts_with(leaf) || !name.ends_with(kSuffix) || name.size() < leaf.size() + kSuffix.size() + 1) {
    return false;
  }
  name = name.substr(leaf.size(), name.size() - leaf.size() - kSuffix.size());
  if (!name.starts_with('.')) return false;
  name.remove_prefix(1);
  const auto dot = name.find('.');
  return dot != std::string_view::npos && IsDigits(name.substr(0, dot)) && IsDigits(name.substr(dot + 1));
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

std::string TemporaryPathFor(const std::string& path, unsigned long processId, unsigned serial) {
  return path + "." + std::to_string(processId) + "." + std::to_string(serial) + ".tmp";
}

std::size_t RemoveStaleTemporaries(const std::string& settingsPath) {
  const fs::path settings(std::u8string(settingsPath.begin(), settingsPath.end()));
  const std::string leaf = Utf8(settings.filename());
  const fs::path folder = settings.has_parent_path() ? settings.parent_path() : fs::path(".");
  const SettingsFileLock lock(settingsPath);
  if (!lock.held()) return 0;
  const auto oldest = fs::file_time_type::clock::now() - kStaleTemporaryAge;
  std::size_t removed = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (!IsTemporaryName(Utf8(it->path().filename()), leaf) || !it->is_regular_file(ignored)) continue;
    const auto modified = it->last_write_time(ignored);
    if (!ignored && modified < oldest && fs::remove(it->path(), ignored)) ++removed;
  }
  return removed;
}

}  // namespace tallix
