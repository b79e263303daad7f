#pragma once
// A fresh folder per test for real settings files, and byte-exact file access.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <unistd.h>

#include <csignal>
#endif

namespace tallix::settings_test {

inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path FromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(FromUtf8(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(FromUtf8(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The read-only mark a user sets: the attribute on Windows, the mode elsewhere.
inline void SetReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
  const std::wstring wide = FromUtf8(path).wstring();
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                                        : (attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})));
#else
  ASSERT_EQ(chmod(path.c_str(), readOnly ? 0444 : 0644), 0) << path;
#endif
}

inline bool IsSymlink(const std::string& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(FromUtf8(path).wstring().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
#endif
}

// A symbolic link at `link` to `target` (relative to the link's folder unless
// absolute); false where the system cannot make one. Wine 8 reports success
// and makes nothing, hence the look afterwards.
inline bool MakeSymlink(const std::string& target, const std::string& link) {
#ifdef _WIN32
  const std::wstring wideTarget = FromUtf8(target).make_preferred().wstring();
  const std::wstring wideLink = FromUtf8(link).wstring();
  CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
#else
  symlink(target.c_str(), link.c_str());
#endif
  return IsSymlink(link);
}

#ifndef _WIN32
// Runs `write` as on a full disk: meanwhile no file may grow past 4 KiB, and a
// write beyond that fails instead of ending the process.
template <typename Write>
auto AsOnAFullDisk(Write write) {
  rlimit saved{};
  EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  auto result = write();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return result;
}

// Runs `run`, which might block on a pipe, and ends the test program if it
// has not returned within seconds, so that the suite never hangs.
template <typename Run>
auto WithinSeconds(unsigned seconds, Run run) {
  alarm(seconds);
  auto result = run();
  alarm(0);
  return result;
}

// A device node like /dev/full; false when the rights to make one are missing.
inline bool MakeDevice(const std::string& path) { return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0; }
#endif

class TempFolder {
 public:
  explicit TempFolder(const std::string& leaf = "") {
    static int serial = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tallix-settings-" + std::to_string(stamp) + "-" + std::to_string(++serial));
    if (!leaf.empty()) path_ /= FromUtf8(leaf);
    std::filesystem::create_directories(path_);
    root_ = leaf.empty() ? path_ : path_.parent_path();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name = "Tallix.ini") const { return Utf8(path_ / FromUtf8(name)); }
  // Files and folders, apart from the writers' lock file that stays beside
  // the settings once they have been written.
  std::size_t EntryCount() const {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) count += entry.path().extension() != ".lock";
    return count;
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path root_;
};

}  // namespace tallix::settings_test
