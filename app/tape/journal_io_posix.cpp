#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/tape/journal_io.h"

namespace tallix::journal_io {
namespace {

// Never through a link, never blocking on a pipe planted under the name,
// and only a regular file of one name.
Handle OpenRegular(const std::string& path, int flags) {
  const int fd = open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return kNoHandle;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1) {
    close(fd);
    return kNoHandle;
  }
  // Writes need not wait on anything: the file is a regular one.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

Handle Locked(Handle fd) {
  if (fd == kNoHandle) return fd;
  if (flock(static_cast<int>(fd), LOCK_EX | LOCK_NB) != 0) {
    close(static_cast<int>(fd));
    return kNoHandle;
  }
  return fd;
}

}  // namespace

Handle CreateLocked(const std::string& path) { return Locked(OpenRegular(path, O_RDWR | O_CREAT | O_EXCL | O_APPEND)); }

Handle OpenLocked(const std::string& path) { return Locked(OpenRegular(path, O_RDWR | O_APPEND)); }

bool IsHeld(const std::string& path) {
  const Handle fd = OpenRegular(path, O_RDONLY);
  if (fd == kNoHandle) return false;
  const bool held = flock(static_cast<int>(fd), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(static_cast<int>(fd));
  return held;
}

bool Append(Handle handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(static_cast<int>(handle), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool Flush(Handle handle) { return fdatasync(static_cast<int>(handle)) == 0; }

bool ReadAll(Handle handle, std::string& bytes, std::uint64_t limit) {
  struct stat info {};
  const int fd = static_cast<int>(handle);
  if (fstat(fd, &info) != 0 || static_cast<std::uint64_t>(info.st_size) > limit) return false;
  bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return true;
}

bool RenameHeld(Handle handle, const std::string& from, const std::string& to) {
  struct stat held {
  }, named{}, there{};
  if (fstat(static_cast<int>(handle), &held) != 0 || lstat(from.c_str(), &named) != 0) return false;
  if (!S_ISREG(named.st_mode) || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
    errno = EPERM;
    return false;
  }
  if (lstat(to.c_str(), &there) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

void Close(Handle handle) {
  if (handle != kNoHandle) close(static_cast<int>(handle));
}

}  // namespace tallix::journal_io
