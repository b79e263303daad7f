#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <system_error>
#include <thread>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"

namespace tallix {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) close(fd);
  }
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;  // nothing stored, and no error number set
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string ErrorText(int error) { return std::generic_category().message(error); }

// What a path that is no regular file names, for the message that refuses it.
std::string_view NotAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) return kFolderReason;
  if (S_ISFIFO(mode)) return kPipeReason;
  if (S_ISSOCK(mode)) return kSocketReason;
  return kDeviceReason;
}

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinksFollowed = 40;

// The text of the link at `path`, or nothing when it cannot be read.
std::optional<std::string> LinkText(const std::string& path) {
  std::string text(PATH_MAX, '\0');
  const ssize_t length = readlink(path.c_str(), text.data(), text.size());
  if (length < 0) return std::nullopt;
  if (static_cast<std::size_t>(length) >= text.size()) {
    errno = ENAMETOOLONG;
    return std::nullopt;
  }
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

WriteTarget ResolveWriteTarget(const std::string& path) {
  std::string target = path;
  for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0) {
      // Nothing there yet: the write creates it. A missing folder is for the
      // write to report.
      if (errno == ENOENT) return {target, {}};
      return {{}, ErrorText(errno)};
    }
    if (S_ISREG(info.st_mode)) return {target, {}};
    if (!S_ISLNK(info.st_mode)) return {{}, std::string(NotAFileReason(info.st_mode))};
    const std::optional<std::string> link = LinkText(target);
    if (!link) return {{}, ErrorText(errno)};
    // A relative link is read from the folder that holds it.
    target = link->starts_with('/') ? *link : target.substr(0, target.rfind('/') + 1) + *link;
  }
  return {{}, ErrorText(ELOOP)};
}

FileBytes ReadFileBytes(const std::string& path, std::size_t limit) {
  // Without blocking: opening a pipe would wait for a writer to come.
  Descriptor file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? FileBytes::Status::kMissing : FileBytes::Status::kUnreadable, {}, ErrorText(errno)};
  }
  struct stat info {};
  if (fstat(file.fd, &info) != 0) return {FileBytes::Status::kUnreadable, {}, ErrorText(errno)};
  // A folder, a device or a pipe: reading one could block or never end.
  if (!S_ISREG(info.st_mode)) {
    return {FileBytes::Status::kUnreadable, {}, S_ISDIR(info.st_mode) ? ErrorText(EISDIR) : "Not a regular file"};
  }
  FileBytes result;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(file.fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {FileBytes::Status::kUnreadable, {}, ErrorText(errno)};
    if (got == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(got));
    if (result.bytes.size() > limit) return TooLargeFileBytes(std::move(result.bytes), limit);
  }
  result.status = FileBytes::Status::kRead;
  return result;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  const auto fail = [reason](std::string_view why) {
    if (reason != nullptr) *reason = why;
    return false;
  };
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.path.empty()) return fail(target.reason);
  struct stat old {};
  const bool existed = stat(target.path.c_str(), &old) == 0;
  // A read-only file stays as it is, as it would on Windows. The mode bits
  // count first: root passes every access check.
  if (existed && (old.st_mode & 0222) == 0) return fail(kReadOnlyFileReason);
  if (existed && access(target.path.c_str(), W_OK) != 0) {
    return fail(errno == EACCES ? std::string(kReadOnlyFileReason) : ErrorText(errno));
  }

  // A name left behind by a crashed run is skipped, not reused.
  static unsigned serial = 0;
  std::string temporary;
  int error = 0;
  {
    Descriptor file{-1};
    for (int attempt = 0; attempt < 16 && file.fd < 0; ++attempt) {
      temporary = TemporaryPathFor(target.path, static_cast<unsigned long>(getpid()), ++serial);
      file.fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (file.fd < 0 && errno != EEXIST) break;
    }
    if (file.fd < 0) return fail(ErrorText(errno));
    const bool written =
        (!existed || fchmod(file.fd, old.st_mode & 0777) == 0) && WriteAll(file.fd, bytes) && fsync(file.fd) == 0;
    if (!written) error = errno != 0 ? errno : EIO;
    if (close(file.fd) != 0 && error == 0) error = errno;
    file.fd = -1;
  }
  if (error == 0) return MoveFileOver(temporary, target.path, reason);
  unlink(temporary.c_str());
  return fail(ErrorText(error));
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason) {
  if (rename(from.c_str(), to.c_str()) == 0) return true;
  const int error = errno;
  unlink(from.c_str());
  if (reason != nullptr) *reason = ErrorText(error);
  errno = error;
  return false;
}

std::string LastFileErrorText() { return ErrorText(errno); }

SettingsFileLock::SettingsFileLock(const std::string& path) {
  // Never through a link, and never blocking on a pipe planted there.
  const int fd = open((path + ".lock").c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + kSettingsLockWait;
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = fd;
      return;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  close(fd);
}

SettingsFileLock::~SettingsFileLock() {
  if (held()) close(static_cast<int>(handle_));
}

std::string ExecutableFilePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace tallix
