// Files opened safely on POSIX systems: every open is O_NONBLOCK (a pipe
// under the name would wait for a writer) and O_CLOEXEC, O_NOFOLLOW unless a
// link is to lead to its file, and the descriptor itself is then checked, so
// that nothing can be swapped in between the check and the use. Locks are
// flock's, which the system drops when their holder dies.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "services/file_io.h"

namespace tallix::file_io {
namespace {

int FlagsOf(const OpenOptions& options) {
  constexpr int kAccess[] = {O_RDONLY, O_RDONLY, O_WRONLY, O_RDWR};
  constexpr int kCreate[] = {0, O_CREAT | O_EXCL, O_CREAT};
  return kAccess[static_cast<int>(options.access)] | kCreate[static_cast<int>(options.create)] |
         (options.followLinks ? 0 : O_NOFOLLOW) | (options.append ? O_APPEND : 0) | (options.uncached ? O_DIRECT : 0) |
         O_NONBLOCK | O_CLOEXEC;
}

Refusal Check(const struct stat& info, const OpenOptions& options) {
  if (S_ISDIR(info.st_mode)) return Refusal::kFolder;
  if (!S_ISREG(info.st_mode)) return Refusal::kNotRegular;
  if (options.oneName && info.st_nlink != 1) return Refusal::kManyNames;
  if (options.ownOnly && info.st_uid != geteuid()) return Refusal::kOtherOwner;
  return Refusal::kNone;
}

// The error a refusal leaves, for callers that only say the system's words.
int ErrorOf(Refusal refusal) {
  switch (refusal) {
    case Refusal::kLink: return ELOOP;
    case Refusal::kFolder: return EISDIR;
    case Refusal::kManyNames: return EMLINK;
    default: return EPERM;
  }
}

Opened Refused(Refusal refusal) {
  errno = ErrorOf(refusal);
  return {File(), refusal, static_cast<std::uint32_t>(errno)};
}

}  // namespace

bool File::Close() {
  if (native_ == -1) return true;
  const int before = errno;
  locked_ = false;
  if (close(static_cast<int>(std::exchange(native_, -1))) != 0) return false;
  errno = before;
  return true;
}

Opened Open(const std::string& path, const OpenOptions& options) {
  const int flags = FlagsOf(options);
  int fd = open(path.c_str(), flags, static_cast<mode_t>(options.mode));
  // File systems without direct I/O (tmpfs) keep their files in memory anyway.
  if (fd < 0 && errno == EINVAL && options.uncached) fd = open(path.c_str(), flags & ~O_DIRECT, options.mode);
  if (fd < 0) {
    if (errno == ELOOP && !options.followLinks) return Refused(Refusal::kLink);
    return {File(), Refusal::kNone, static_cast<std::uint32_t>(errno)};
  }
  Opened opened{File(fd)};
  struct stat info {};
  if (fstat(fd, &info) != 0) return {File(), Refusal::kNone, static_cast<std::uint32_t>(errno)};
  if (const Refusal refusal = Check(info, options); refusal != Refusal::kNone) return Refused(refusal);
  return opened;
}

bool WriteAll(const File& file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(static_cast<int>(file.native()), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;  // nothing stored, and no error number set
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

ReadOutcome ReadAll(const File& file, std::string& bytes, std::uint64_t limit) {
  const int fd = static_cast<int>(file.native());
  struct stat info {};
  if (fstat(fd, &info) != 0) return ReadOutcome::kFailed;
  // The size is a hint: the file may grow or shrink while it is read.
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), limit + 1)));
  for (;;) {
    const std::size_t room = static_cast<std::size_t>(std::min<std::uint64_t>(limit + 1 - bytes.size(), 1 << 20));
    const std::size_t done = bytes.size();
    bytes.resize(done + room);
    const ssize_t got = pread(fd, bytes.data() + done, room, static_cast<off_t>(done));
    bytes.resize(done + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ReadOutcome::kFailed;
    if (bytes.size() > limit) return ReadOutcome::kTooLarge;
    if (got == 0) return ReadOutcome::kRead;
  }
}

LockOutcome TryLock(File& file) {
  for (;;) {
    if (flock(static_cast<int>(file.native()), LOCK_EX | LOCK_NB) == 0) {
      file.locked_ = true;
      return LockOutcome::kLocked;
    }
    if (errno != EINTR) return errno == EWOULDBLOCK ? LockOutcome::kInUse : LockOutcome::kFailed;
  }
}

std::uint32_t LastError() { return errno != 0 ? static_cast<std::uint32_t>(errno) : EIO; }

std::string ErrorText(std::uint32_t error) { return std::generic_category().message(static_cast<int>(error)); }

// A POSIX name is its bytes.
std::optional<std::filesystem::path> FsPath(std::string_view utf8) { return std::filesystem::path(utf8); }
std::optional<std::string> Utf8Path(const std::filesystem::path& path) { return path.native(); }

}  // namespace tallix::file_io
