// Tallix.ini through the file layer: the fuzzer's bytes are written to a real
// file, a key is changed by a single write and again through a start-up batch,
// and the file is read back each time. Only that key's line may change, or one
// key line (with its section header) be added: every other byte survives.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "app/settings/ini_file.h"
#include "tests/fuzz/settings_fuzz_input.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// One folder per fuzzing process, on a memory file system where there is
// one: every replace flushes the file to its disk.
const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::filesystem::path made = base / ("tallix-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return folder;
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
}

const std::string& SettingsPath() {
  static const std::string path = (Folder() / "Tallix.ini").string();
  // Registered once the folder exists, so it runs before the folder's name is destroyed.
  [[maybe_unused]] static const int cleanup = std::atexit(RemoveFolder);
  return path;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// `after` is `before` with one stretch replaced: within one line of `before`,
// by text holding at most `lineEnds` line ends.
void CheckOneLineChanged(std::string_view before, std::string_view after, std::size_t lineEnds) {
  const std::size_t prefix = static_cast<std::size_t>(
      std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first - before.begin());
  before.remove_prefix(prefix);
  after.remove_prefix(prefix);
  const std::size_t suffix = static_cast<std::size_t>(
      std::mismatch(before.rbegin(), before.rend(), after.rbegin(), after.rend()).first - before.rbegin());
  before.remove_suffix(suffix);
  after.remove_suffix(suffix);
  Check(before.find('\n') == std::string_view::npos);
  Check(static_cast<std::size_t>(std::count(after.begin(), after.end(), '\n')) <= lineEnds);
}

// What a read gives back for `value`: at most kMaxSettingLength characters.
std::string AsRead(std::string value) {
  value.resize(std::min(value.size(), tallix::kMaxSettingLength));
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tallix::fuzz::SettingsInput in =
      tallix::fuzz::SplitSettingsInput(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string& path = SettingsPath();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(in.file.data(), static_cast<std::streamsize>(in.file.size()));
  Check(ReadBytes(path) == in.file);

  const bool storable = tallix::IsValidSectionName(in.section) && tallix::IsValidKeyName(in.key);
  Check(tallix::WriteSetting(path, in.section, in.key, in.value) == storable);
  const std::string written = ReadBytes(path);
  // A new key, after a last line without a line end, in a new section: three.
  CheckOneLineChanged(in.file, written, storable ? 3 : 0);
  if (!storable) return 0;
  const bool plain = tallix::fuzz::IsPlainValue(in.value);
  if (plain) Check(tallix::ReadSetting(path, in.section, in.key, "\x01") == AsRead(in.value));

  // The key exists now: the batch's replayed write changes its line alone.
  tallix::IniSettingsBatch batch(path);
  batch.Write(in.section, in.key, "<" + in.value + ">");
  Check(batch.Commit());
  CheckOneLineChanged(written, ReadBytes(path), 0);
  if (plain) Check(tallix::ReadSetting(path, in.section, in.key, "\x01") == AsRead("<" + in.value + ">"));
  return 0;
}
