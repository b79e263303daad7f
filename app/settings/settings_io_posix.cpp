// The settings file's calls on POSIX systems: links to a user's file are
// followed by hand (ResolveWriteTarget), writes go to a new file renamed over
// the old one, and the lock is flock's on a file beside the settings.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <thread>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"
#include "services/file_io.h"

namespace tallix {

namespace {

std::string ErrorText(int error) { return file_io::ErrorText(static_cast<std::uint32_t>(error)); }

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
  // The user's file: through a link to where it leads.
  const file_io::Opened opened = file_io::Open(path, {.followLinks = true});
  return ReadOpenedFile(opened, opened.error == ENOENT || opened.error == ENOTDIR, limit);
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
  file_io::Opened file;
  for (int attempt = 0; attempt < 16 && !file.file; ++attempt) {
    temporary = TemporaryPathFor(target.path, static_cast<unsigned long>(getpid()), ++serial);
    // A new name: O_EXCL makes nothing of a link planted there.
    file = file_io::Open(temporary,
                         {.access = file_io::Access::kWrite, .create = file_io::Create::kNew, .followLinks = true});
    if (!file.file && file.error != EEXIST) break;
  }
  if (!file.file) return fail(ErrorText(file.error));
  const bool written = (!existed || fchmod(static_cast<int>(file.file.native()), old.st_mode & 0777) == 0) &&
                       file_io::WriteAll(file.file, bytes) && fsync(static_cast<int>(file.file.native())) == 0;
  int error = written ? 0 : errno != 0 ? errno : EIO;
  if (!file.file.Close() && error == 0) error = errno;
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

SettingsFileLock::SettingsFileLock(const std::string& path) {
  // Never through a link, and never blocking on a pipe planted there.
  file_io::File file = file_io::Open(path + ".lock", {.create = file_io::Create::kIfMissing}).file;
  if (!file) return;
  const auto deadline = std::chrono::steady_clock::now() + kSettingsLockWait;
  for (;;) {
    const file_io::LockOutcome outcome = file_io::TryLock(file);
    if (outcome == file_io::LockOutcome::kLocked) {
      file_ = std::move(file);
      return;
    }
    if (outcome == file_io::LockOutcome::kFailed || std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::string ExecutableFilePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace tallix
