#include "app/settings/settings_temporaries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

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
  // A write through a link leaves its temporaries beside the link's file.
  const std::string target = ResolveWriteTarget(settingsPath).path;
  if (target.empty()) return 0;
  const fs::path settings(std::u8string(target.begin(), target.end()));
  const std::string leaf = Utf8(settings.filename());
  const fs::path folder = settings.has_parent_path() ? settings.parent_path() : fs::path(".");
  const auto oldest = fs::file_time_type::clock::now() - kStaleTemporaryAge;
  auto isStale = [&](const fs::directory_entry& entry) {
    std::error_code ignored;
    if (!IsTemporaryName(Utf8(entry.path().filename()), leaf) || !entry.is_regular_file(ignored)) return false;
    const auto modified = fs::last_write_time(entry.path(), ignored);
    return !ignored && modified < oldest;
  };
  std::vector<fs::path> candidates;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (isStale(*it)) candidates.push_back(it->path());
  }
  // The usual start finds none, and then neither takes the lock nor creates
  // its file.
  if (candidates.empty()) return 0;
  const SettingsFileLock lock(settingsPath);
  if (!lock.held()) return 0;
  std::size_t removed = 0;
  for (const fs::path& candidate : candidates) {
    std::error_code ignored;
    // Looked at again under the lock: a writer may have reused the name since.
    if (isStale(fs::directory_entry(candidate, ignored)) && fs::remove(candidate, ignored)) ++removed;
  }
  return removed;
}

}  // namespace tallix
