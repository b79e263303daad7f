#include "app/settings/settings_temporaries.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/settings/settings_io.h"
#include "services/file_io.h"

namespace tallix {

namespace {

namespace fs = std::filesystem;

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The file whose temporary `name` is ("<file>.<digits>.<digits>.tmp"), or
// empty when it is none.
std::string_view OwnerOfTemporary(std::string_view name) {
  constexpr std::string_view kSuffix = ".tmp";
  if (!name.ends_with(kSuffix)) return {};
  name.remove_suffix(kSuffix.size());
  const auto second = name.rfind('.');
  if (second == std::string_view::npos || second == 0 || !IsDigits(name.substr(second + 1))) return {};
  const auto first = name.rfind('.', second - 1);
  if (first == std::string_view::npos || !IsDigits(name.substr(first + 1, second - first - 1))) return {};
  return name.substr(0, first);
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

}  // namespace

std::string TemporaryPathFor(const std::string& path, unsigned long processId, unsigned serial) {
  return path + "." + std::to_string(processId) + "." + std::to_string(serial) + ".tmp";
}

std::size_t RemoveStaleTemporaries(const std::string& settingsPath, const TemporaryOwners& alsoOf) {
  // A write through a link leaves its temporaries beside the link's file;
  // the other files' are beside the settings' name.
  const std::string target = ResolveWriteTarget(settingsPath).path;
  if (target.empty()) return 0;
  const auto settings = file_io::FsPath(target);
  if (!settings) return 0;
  const auto leaf = file_io::Utf8Path(settings->filename());
  if (!leaf) return 0;
  const auto oldest = fs::file_time_type::clock::now() - kStaleTemporaryAge;
  auto isStale = [&](const fs::directory_entry& entry, bool ofSettings) {
    std::error_code ignored;
    const std::string name = file_io::Utf8Path(entry.path().filename()).value_or("");
    const std::string_view owner = OwnerOfTemporary(name);
    if (owner.empty() || !(ofSettings ? owner == *leaf : alsoOf(std::string(owner))) || !entry.is_regular_file(ignored))
      return false;
    const auto modified = fs::last_write_time(entry.path(), ignored);
    return !ignored && modified < oldest;
  };
  std::vector<std::pair<fs::path, bool>> candidates;
  auto gather = [&](const fs::path& folder, bool ofSettings) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      if (isStale(*it, ofSettings)) candidates.emplace_back(it->path(), ofSettings);
    }
  };
  gather(FolderOf(*settings), true);
  const auto settingsName = file_io::FsPath(settingsPath);
  if (alsoOf && settingsName) gather(FolderOf(*settingsName), false);
  // The usual start finds none, and then neither takes the lock nor creates
  // its file.
  if (candidates.empty()) return 0;
  const SettingsFileLock lock(settingsPath);
  if (!lock.held()) return 0;
  std::size_t removed = 0;
  for (const auto& [candidate, ofSettings] : candidates) {
    std::error_code ignored;
    // Looked at again under the lock: a writer may have reused the name since.
    if (isStale(fs::directory_entry(candidate, ignored), ofSettings) && fs::remove(candidate, ignored)) ++removed;
  }
  return removed;
}

}  // namespace tallix
