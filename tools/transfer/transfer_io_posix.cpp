// The test file on Linux: reads and writes go past the page cache (O_DIRECT)
// where the file system allows it, flushes are fdatasync, and clearing the
// cache is posix_fadvise(POSIX_FADV_DONTNEED) after a flush, so that the
// figures are the device's. Every open of the test file is file_io's, which
// follows no link, never waits on a pipe and checks the opened descriptor
// itself to be a plain file of the user's own with one name, so that
// nothing can be swapped in between the check and the use.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

namespace {

using file_io::File;

IoStatus Failed(int error) { return IoStatus::Failed(file_io::ErrorText(static_cast<std::uint32_t>(error))); }
IoStatus LastError() { return Failed(errno); }
int Fd(const File& file) { return static_cast<int>(file.native()); }

// The test file if it passed the checks, with `status` saying why not.
file_io::Opened OpenChecked(const std::string& path, file_io::OpenOptions options, IoStatus& status) {
  options.oneName = options.ownOnly = true;
  options.mode = 0644;
  file_io::Opened opened = file_io::Open(path, options);
  status = opened.refusal != Refusal::kNone ? IoStatus::Refused(opened.refusal)
           : opened.file                    ? IoStatus{}
                                            : Failed(static_cast<int>(opened.error));
  return opened;
}

bool SameFile(const File& file, const std::string& path) {
  struct stat opened {
  }, named{};
  return fstat(Fd(file), &opened) == 0 && lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// The lock that keeps other runs out, on a descriptor of its own.
class PosixClaim final : public TestFileClaim {
 public:
  PosixClaim(File file, bool created) : file_(std::move(file)), created_(created) {}
  bool Created() const override { return created_; }

 private:
  File file_;
  bool created_;
};

class PosixTestFile final : public TestFile {
 public:
  explicit PosixTestFile(File file) : file_(std::move(file)) {}

  IoStatus Write(std::span<const std::byte> data) override {
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    return file_io::WriteAll(file_, bytes) ? IoStatus{} : LastError();
  }

  IoStatus Read(std::span<std::byte> buffer, std::size_t& got) override {
    got = 0;
    while (got < buffer.size()) {
      const ssize_t count = read(Fd(file_), buffer.data() + got, buffer.size() - got);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return LastError();
      if (count == 0) break;
      got += static_cast<std::size_t>(count);
    }
    return {};
  }

  IoStatus Flush() override { return fdatasync(Fd(file_)) == 0 ? IoStatus{} : LastError(); }

  IoStatus Close() override { return file_.Close() ? IoStatus{} : LastError(); }

 private:
  File file_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override {
    // A run that finished removed its file after this one opened it: open the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
      file_io::Opened opened =
          OpenChecked(path, {.access = file_io::Access::kReadWrite, .create = file_io::Create::kNew}, status);
      const bool created = static_cast<bool>(opened.file);
      if (!created && status.refusal == Refusal::kNone && opened.error == EEXIST) {
        opened = OpenChecked(path, {.access = file_io::Access::kReadWrite}, status);
      }
      if (!opened.file) return nullptr;
      const file_io::LockOutcome lock = file_io::TryLock(opened.file);
      if (lock != file_io::LockOutcome::kLocked) {
        status = lock == file_io::LockOutcome::kInUse ? IoStatus::Refused(Refusal::kInUse) : LastError();
        return nullptr;
      }
      if (SameFile(opened.file, path)) return std::make_unique<PosixClaim>(std::move(opened.file), created);
    }
    status = IoStatus::Refused(Refusal::kInUse);
    return nullptr;
  }

  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    file_io::Opened opened = OpenChecked(path, {.access = file_io::Access::kReadWrite, .uncached = true}, status);
    return opened.file ? std::make_unique<PosixTestFile>(std::move(opened.file)) : nullptr;
  }

  std::string ClearCache(const std::string& path, std::int32_t) override {
    IoStatus status;
    const file_io::Opened opened = OpenChecked(path, {}, status);
    if (status.refusal != Refusal::kNone) return RefusalMessage(status.refusal, path);
    if (!opened.file) return opened.error == ENOENT ? UnableToFindMessage(path) : OpenErrorMessage(opened.error);
    // Dirty pages are not dropped: flush them first.
    if (fdatasync(Fd(opened.file)) != 0) return FlushErrorMessage(path, LastError().reason);
    if (const int error = posix_fadvise(Fd(opened.file), 0, 0, POSIX_FADV_DONTNEED); error != 0) {
      return DropErrorMessage(path, Failed(error).reason);
    }
    return {};
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
    IoStatus status;
    const file_io::Opened opened = OpenChecked(path, {.access = file_io::Access::kAttributes}, status);
    struct stat info {};
    if (!opened.file || fstat(Fd(opened.file), &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
  }

  std::string CacheCaveat() const override { return {}; }
};

}  // namespace

std::unique_ptr<FileSystem> SystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace tallix::transfer
