#pragma once
// The few file-system calls the settings file and the tape files need, one
// implementation per platform, on top of the safe opens of services/file_io.h.
// Paths are UTF-8 everywhere; the Windows side widens them so that folders
// with non-ASCII names work.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "services/file_io.h"

namespace tallix {

// The largest settings file loaded in full. Ours stays far below a kilobyte;
// the limit is there so that a runaway file (a log pasted into it, a disk
// image renamed) cannot take the program's memory: a read holds the file once
// and a rewrite briefly twice.
inline constexpr std::size_t kMaxSettingsFileBytes = 16u << 20;

struct FileBytes {
  enum class Status { kRead, kMissing, kUnreadable, kTooLarge };
  Status status = Status::kMissing;
  // kRead: the whole file. kTooLarge: its whole lines within the first
  // kMaxSettingsFileBytes, whose settings still count; the file is never
  // rewritten, as that would lose the rest.
  std::string bytes;
  // kMissing and kUnreadable: the system's words for what stopped the read,
  // for a message that names the file.
  std::string reason;
};

// kMissing only when the file (or its folder) does not exist; anything else
// that stops the read is kUnreadable. Other files (tapes) have limits of
// their own.
FileBytes ReadFileBytes(const std::string& path, std::size_t limit = kMaxSettingsFileBytes);

// The system's words for why the last file call of this thread failed.
inline std::string LastFileErrorText() { return file_io::ErrorText(file_io::LastError()); }

// The rest of ReadFileBytes, alike on every system, once `opened` was tried;
// `missing`: its error says there is no such file.
inline FileBytes ReadOpenedFile(const file_io::Opened& opened, bool missing, std::size_t limit) {
  using Status = FileBytes::Status;
  // A device or a pipe: reading one could block or never end.
  if (opened.refusal != file_io::Refusal::kNone && opened.refusal != file_io::Refusal::kFolder &&
      opened.refusal != file_io::Refusal::kBadName) {
    return {Status::kUnreadable, {}, "Not a regular file"};
  }
  if (!opened.file) return {missing ? Status::kMissing : Status::kUnreadable, {}, file_io::ErrorText(opened.error)};
  FileBytes result{Status::kRead, {}, {}};
  switch (file_io::ReadAll(opened.file, result.bytes, limit)) {
    case file_io::ReadOutcome::kRead: return result;
    case file_io::ReadOutcome::kTooLarge:
      // Its whole lines within the limit.
      result.bytes.resize(std::min(result.bytes.size(), limit));
      result.bytes.erase(result.bytes.rfind('\n') + 1);
      return {Status::kTooLarge, std::move(result.bytes), {}};
    case file_io::ReadOutcome::kFailed: break;
  }
  return {Status::kUnreadable, {}, LastFileErrorText()};
}

// Where a write meant for `path` goes. A symbolic link (on Windows also a
// junction) is followed to its file, so that the write changes that file and
// the link stays a link; the file need not exist yet. What exists and is not a
// regular file (a folder, a device, a pipe, a socket) is never written over:
// `path` is then empty and `reason` says what is there. Nothing is opened for
// reading or writing, so a pipe cannot hold the caller up.
struct WriteTarget {
  std::string path;
  std::string reason;
};
WriteTarget ResolveWriteTarget(const std::string& path);

// Writes `bytes` to a new file in the target's folder (ResolveWriteTarget),
// flushes it to disk and renames it over the target, so that it always holds
// either its old or its new content in full. The new file keeps the old one's
// permissions, apart from setuid and setgid. On failure the temporary file is
// removed and the target is as it was. An existing read-only file is not
// replaced, whoever writes: marking it read-only is how a user pins the
// settings. A failure puts what stopped it in `reason`, when given, for a
// message that names the file.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason = nullptr);

// The last step of that: renames `from` over `to`, so that `to` holds its
// old or its new file in full, and waits briefly for a reader of `to` to let
// go of it. For a file Tallix made itself at `from` and flushed.
bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason = nullptr);

// Why a read-only file was left alone.
inline constexpr std::string_view kReadOnlyFileReason = "The file is read-only";
// Why something other than a file was left alone.
inline constexpr std::string_view kFolderReason = "It is a folder, not a file";
inline constexpr std::string_view kDeviceReason = "It is a device, not a file";
inline constexpr std::string_view kPipeReason = "It is a pipe, not a file";
inline constexpr std::string_view kSocketReason = "It is a socket, not a file";

// How long a writer waits for another one to finish before giving up.
inline constexpr std::chrono::milliseconds kSettingsLockWait{2000};

// Held while a writer reads, changes and replaces the settings file, so that
// writers in other processes (two Tallix windows in one folder) take turns and
// never write back a file that misses the other's change. It is the lock of an
// empty file beside the settings, `path` + ".lock", which stays there: removing
// it would let a waiting writer lock a file nobody else sees any more. The
// system drops the lock when its holder dies. A lock file that is a link or
// anything but a regular file is not used: the writer then leaves the file
// alone rather than create or lock something elsewhere.
class SettingsFileLock {
 public:
  // Waits up to kSettingsLockWait; held() is false when the wait ran out or the
  // lock file cannot be opened, and the writer then leaves the file alone.
  explicit SettingsFileLock(const std::string& path);

  bool held() const { return static_cast<bool>(file_); }

 private:
  file_io::File file_;  // the locked file
};

// The running program's own file name; empty if the system will not say.
std::string ExecutableFilePath();

}  // namespace tallix
