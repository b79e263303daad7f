// The test file on Linux: reads and writes go past the page cache (O_DIRECT)
// where the file system allows it, flushes are fdatasync, and clearing the
// cache is posix_fadvise(POSIX_FADV_DONTNEED) after a flush, so that the
// figures are the device's.
// Every open of the test file follows no link (O_NOFOLLOW) and never waits
// (O_NONBLOCK: a pipe of that name would hang it), and the opened descriptor
// itself is checked to be a plain file of the user's own with one name, so
// that nothing can be swapped in between the check and the use.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

namespace {

IoStatus LastError() { return IoStatus::Failed(std::generic_category().message(errno)); }

constexpr int kSafeOpen = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

Refusal Check(const struct stat& info) {
  if (S_ISLNK(info.st_mode)) return Refusal::kLink;
  if (!S_ISREG(info.st_mode)) return Refusal::kNotRegular;
  if (info.st_nlink != 1) return Refusal::kManyNames;
  if (info.st_uid != geteuid()) return Refusal::kOtherOwner;
  return Refusal::kNone;
}

// A descriptor of the test file that passed the checks, or -1 with `status` saying why not.
int OpenChecked(const std::string& path, int flags, IoStatus& status) {
  int fd = open(path.c_str(), flags | kSafeOpen, 0644);
  // File systems without direct I/O (tmpfs) keep their files in memory anyway.
  if (fd < 0 && errno == EINVAL && (flags & O_DIRECT)) fd = open(path.c_str(), (flags & ~O_DIRECT) | kSafeOpen, 0644);
  if (fd < 0) {
    status = errno == ELOOP ? IoStatus::Refused(Refusal::kLink) : LastError();
    return -1;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    status = LastError();
  } else if (const Refusal refusal = Check(info); refusal != Refusal::kNone) {
    status = IoStatus::Refused(refusal);
  } else {
    status = {};
    return fd;
  }
  close(fd);
  return -1;
}

bool SameFile(int fd, const std::string& path) {
  struct stat opened {
  }, named{};
  return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// The lock that keeps other runs out, on a descriptor of its own.
class PosixClaim final : public TestFileClaim {
 public:
  PosixClaim(int fd, bool created) : fd_(fd), created_(created) {}
  ~PosixClaim() override { close(fd_); }
  bool Created() const override { return created_; }

 private:
  int fd_;
  bool created_;
};

class PosixTestFile final : public TestFile {
 public:
  explicit PosixTestFile(int fd) : fd_(fd) {}
  ~PosixTestFile() override {
    if (fd_ >= 0) close(fd_);
  }

  IoStatus Write(std::span<const std::byte> data) override {
    while (!data.empty()) {
      const ssize_t written = write(fd_, data.data(), data.size());
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return LastError();
      if (written == 0) return IoStatus::Failed(std::generic_category().message(ENOSPC));
      data = data.subspan(static_cast<std::size_t>(written));
    }
    return {};
  }

  IoStatus Read(std::span<std::byte> buffer, std::size_t& got) override {
    got = 0;
    while (got < buffer.size()) {
      const ssize_t count = read(fd_, buffer.data() + got, buffer.size() - got);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return LastError();
      if (count == 0) break;
      got += static_cast<std::size_t>(count);
    }
    return {};
  }

  IoStatus Flush() override { return fdatasync(fd_) == 0 ? IoStatus{} : LastError(); }

  IoStatus Close() override {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0 ? IoStatus{} : LastError();
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override {
    // A run that finished removed its file after this one opened it: open the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
      int fd = OpenChecked(path, O_RDWR | O_CREAT | O_EXCL, status);
      const bool created = fd >= 0;
      if (!created && status.refusal == Refusal::kNone && errno == EEXIST) fd = OpenChecked(path, O_RDWR, status);
      if (fd < 0) return nullptr;
      auto claim = std::make_unique<PosixClaim>(fd, created);
      if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        status = errno == EWOULDBLOCK ? IoStatus::Refused(Refusal::kInUse) : LastError();
        return nullptr;
      }
      if (SameFile(fd, path)) return claim;
    }
    status = IoStatus::Refused(Refusal::kInUse);
    return nullptr;
  }

  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    const int fd = OpenChecked(path, O_RDWR | O_DIRECT, status);
    return fd < 0 ? nullptr : std::make_unique<PosixTestFile>(fd);
  }

  std::string ClearCache(const std::string& path, std::int32_t) override {
    IoStatus status;
    const int fd = OpenChecked(path, O_RDONLY, status);
    if (fd < 0) {
      if (status.refusal != Refusal::kNone) return RefusalMessage(status.refusal, path);
      return errno == ENOENT ? UnableToFindMessage(path) : OpenErrorMessage(static_cast<std::uint32_t>(errno));
    }
    // Dirty pages are not dropped: flush them first.
    std::string message;
    if (fdatasync(fd) != 0) {
      message = FlushErrorMessage(path, LastError().reason);
    } else if (const int error = posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED); error != 0) {
      message = DropErrorMessage(path, std::generic_category().message(error));
    }
    close(fd);
    return message;
  }

  IoStatus Remove(const std::string& path) override {
    return unlink(path.c_str()) == 0 || errno == ENOENT ? IoStatus{} : LastError();
  }

  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override {
    struct statvfs info {};
    if (statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return std::uint64_t{info.f_bavail} * info.f_frsize;
  }

  std::uint64_t LeftOverBytes(const std::string& path) override {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || Check(info) != Refusal::kNone) return 0;
    return static_cast<std::uint64_t>(info.st_size);
  }

  std::string CacheCaveat() const override { return {}; }
};

}  // namespace

std::unique_ptr<FileSystem> SystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace tallix::transfer
