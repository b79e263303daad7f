#pragma once
// A fresh folder per test for real settings files, and byte-exact file access.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path root_;
};

}  // namespace tallix::settings_test
