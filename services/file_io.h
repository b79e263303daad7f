#pragma once
// Files opened safely, one implementation per system (file_io_posix.cpp,
// file_io_win.cpp), under the settings, the tape files, the tape journal and
// the transfer test: an open that never waits on a pipe and says why it
// refused what it found under a name; a handle that closes (and unlocks)
// itself; writing a whole buffer, reading a whole file up to a limit, the
// lock that keeps other processes out, and the system's sentence for an
// error. Paths are UTF-8; on Windows one that is not valid UTF-8 is refused,
// so that a mangled path never names some other file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tallix::file_io {

// Why an open left alone what it found under the name.
enum class Refusal {
  kNone,
  kLink,        // a symbolic link, a junction, any reparse point
  kManyNames,   // a hard link: the file has another name too
  kFolder,      // a folder
  kNotRegular,  // a pipe, a device, a socket
  kOtherOwner,  // another user's file (POSIX)
  kInUse,       // another process holds its lock
  kBadName,     // a path that is not valid UTF-8 (Windows)
};

enum class LockOutcome { kLocked, kInUse, kFailed };

// A file held open: the descriptor (POSIX) or HANDLE (Windows). Closing it,
// or its end, drops the lock it holds.
class File {
 public:
  File() = default;
  explicit File(std::intptr_t native) : native_(native) {}
  File(File&& other) noexcept { *this = std::move(other); }
  File& operator=(File&& other) noexcept {
    if (this != &other) {
      Close();
      native_ = std::exchange(other.native_, -1);
      locked_ = std::exchange(other.locked_, false);
    }
    return *this;
  }
  ~File() { Close(); }

  explicit operator bool() const { return native_ != -1; }
  std::intptr_t native() const { return native_; }
  // False when the system reports the close failed (a late write error of a
  // network share): the error is then the thread's last. A close that works
  // leaves the thread's last error as it was.
  bool Close();

 private:
  friend LockOutcome TryLock(File& file);
  std::intptr_t native_ = -1;
  bool locked_ = false;
};

enum class Access { kAttributes, kRead, kWrite, kReadWrite };
enum class Create { kNo, kNew, kIfMissing };
// Windows: who else may open the file meanwhile.
enum class Share { kAll, kRead, kNone };

struct OpenOptions {
  Access access = Access::kRead;
  Create create = Create::kNo;
  // A link leads to its file: for paths a user chose. A file Tallix names
  // itself is never opened through one (the link is refused).
  bool followLinks = false;
  bool oneName = false;  // refuse a file that has other names
  bool ownOnly = false;  // refuse another user's file (POSIX)
  bool append = false;   // every write goes to the end (POSIX)
  // Past the system's file cache where the file system allows it (POSIX
  // O_DIRECT; Windows unbuffered, sequential).
  bool uncached = false;
  Share share = Share::kAll;
  std::uint32_t mode = 0666;  // POSIX permissions of a new file, before the umask
};

struct Opened {
  File file;
  Refusal refusal = Refusal::kNone;
  // The system's error when there is no file, refusals included (the
  // thread's last error too): for the words of a message.
  std::uint32_t error = 0;
};

// Opens without waiting: a pipe under the name is refused, never waited on.
// Only a regular file on a disk is taken.
Opened Open(const std::string& path, const OpenOptions& options);

// The whole of `bytes`, or false with the thread's last error set (a write
// that stores nothing is a full disk).
bool WriteAll(const File& file, std::string_view bytes);

enum class ReadOutcome { kRead, kTooLarge, kFailed };
// The file from its start into `bytes`: kTooLarge, with the first limit + 1
// bytes read, when it holds more than `limit`.
ReadOutcome ReadAll(const File& file, std::string& bytes, std::uint64_t limit);

// Locks the file without waiting, exclusively, until it is closed (kFailed
// leaves the thread's last error). On Windows the lock covers one byte far
// past any end, as a lock there forbids others to read what it covers.
LockOutcome TryLock(File& file);

// The thread's last file error, never "none", so that a failure cannot pass
// for a success.
std::uint32_t LastError();
// The system's own sentence for an error, without its closing full stop.
std::string ErrorText(std::uint32_t error);

// Between a UTF-8 path and std::filesystem's, for listing a folder and
// removing files, by Open's rule: nullopt for a path that is not valid UTF-8,
// and for a name found in a folder that has no UTF-8 form (a Windows name with
// a lone surrogate), which is then passed over rather than taken for another.
std::optional<std::filesystem::path> FsPath(std::string_view utf8);
std::optional<std::string> Utf8Path(const std::filesystem::path& path);

#ifdef _WIN32
// The UTF-16 path Windows takes; empty when `utf8` is not valid UTF-8.
std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// The full path of the file a HANDLE has open, every link followed; empty if
// the system will not say. It may start with "\\?\".
std::wstring FinalPathOf(void* handle);
#endif

}  // namespace tallix::file_io
