#pragma once
// The few file-system calls the settings file needs, one implementation per
// platform. Paths are UTF-8 everywhere; the Windows side widens them so that
// folders with non-ASCII names work.

#include <cstddef>
#include <string>
#include <string_view>

namespace tallix {

struct FileBytes {
  enum class Status { kRead, kMissing, kUnreadable };
  Status status = Status::kMissing;
  std::string bytes;  // only for kRead
};

// A settings file larger than this is not ours to load or rewrite: ours stays
// far below it, and a file of millions of short lines would cost far more
// memory as a document than on disk.
inline constexpr std::size_t kMaxSettingsFileBytes = 2u << 20;

// kMissing only when the file (or its folder) does not exist; anything else
// that stops the read, a file over the size limit included, is kUnreadable.
FileBytes ReadFileBytes(const std::string& path);

// Writes `bytes` to a new file in the same folder, flushes it to disk and
// renames it over `path`, so `path` always holds either its old or its new
// content in full. On failure the temporary file is removed and `path` is as
// it was. An existing read-only file is not replaced.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The running program's own file name; empty if the system will not say.
std::string ExecutableFilePath();

}  // namespace tallix
