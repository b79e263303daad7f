// The test file on Linux: reads and writes go past the page cache (O_DIRECT)
// where the file system allows it, flushes are fdatasync, and clearing the
// cache is posix_fadvise(POSIX_FADV_DONTNEED) after a flush, so that the
// figures are the device's.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

namespace {

IoStatus LastError() { return IoStatus::Failed(std::generic_category().message(errno)); }

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
  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    constexpr int kFlags = O_RDWR | O_CREAT | O_CLOEXEC;
    int fd = open(path.c_str(), kFlags | O_DIRECT, 0644);
    // File systems without direct I/O (tmpfs) keep their files in memory anyway.
    if (fd < 0 && errno == EINVAL) fd = open(path.c_str(), kFlags, 0644);
    if (fd < 0) {
      status = LastError();
      return nullptr;
    }
    auto file = std::make_unique<PosixTestFile>(fd);
    // No one else may use the file while it is measured.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      status = errno == EWOULDBLOCK ? IoStatus::Failed("the file is in use by another program") : LastError();
      return nullptr;
    }
    status = {};
    return file;
  }

  std::string ClearCache(const std::string& path, std::int32_t) override {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
      return errno == ENOENT ? UnableToFindMessage(path) : OpenErrorMessage(static_cast<std::uint32_t>(errno));
    // Dirty pages are not dropped: flush them first.
    const bool cleared = fdatasync(fd) == 0 && posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    close(fd);
    return cleared ? std::string() : kReadErrorMessage;
  }

  IoStatus Remove(const std::string& path) override {
    return unlink(path.c_str()) == 0 || errno == ENOENT ? IoStatus{} : LastError();
  }

  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override {
    struct statvfs info {};
    if (statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return std::uint64_t{info.f_bavail} * info.f_frsize;
  }

  std::string CacheCaveat() const override { return {}; }
};

}  // namespace

std::unique_ptr<FileSystem> SystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace tallix::transfer
