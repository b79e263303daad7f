// The test file on Windows. Writes end with FlushFileBuffers, so that the
// write figure is the device's rather than the file cache's; the cache is
// cleared by reading the file once without system buffering. Wine does not
// honour unbuffered reads, so under Wine the read figure is the cache's, and
// CacheCaveat says so.
// Every open of the test file is file_io's, which opens a link itself and
// checks the opened handle: a link, a second name of another file, anything
// but a file on a disk, and a path that is not valid UTF-8 are refused; what
// a name is gets looked at first with no access to its data, so that a pipe
// of that name is never waited on.
#include <windows.h>

#include "tools/transfer/transfer_eviction.h"
#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

namespace {

using file_io::File;

// The system's sentence for the last error (never "success": a failure must not pass for one).
IoStatus LastError() { return IoStatus::Failed(file_io::ErrorText(file_io::LastError())); }

HANDLE Of(const File& file) { return reinterpret_cast<HANDLE>(file.native()); }

class Win32TestFile final : public TestFile {
 public:
  explicit Win32TestFile(File file) : file_(std::move(file)) {}

  IoStatus Write(std::span<const std::byte> data) override {
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    return file_io::WriteAll(file_, bytes) ? IoStatus{} : LastError();
  }

  IoStatus Read(std::span<std::byte> buffer, std::size_t& got) override {
    DWORD count = 0;
    got = 0;
    if (!ReadFile(Of(file_), buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr)) return LastError();
    got = count;
    return {};
  }

  IoStatus Flush() override { return FlushFileBuffers(Of(file_)) ? IoStatus{} : LastError(); }

  IoStatus Close() override { return file_.Close() ? IoStatus{} : LastError(); }

 private:
  File file_;
};

class Reservation {
 public:
  explicit Reservation(std::int64_t size)
      : memory_(VirtualAlloc(nullptr, static_cast<SIZE_T>(size), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                             PAGE_READWRITE)) {}
  ~Reservation() {
    if (memory_) VirtualFree(memory_, 0, MEM_RELEASE);
  }
  Reservation(const Reservation&) = delete;
  Reservation& operator=(const Reservation&) = delete;
  void* get() const { return memory_; }

 private:
  void* memory_;
};

// The test file if it passed the checks, with `status` saying why not.
file_io::Opened OpenChecked(const std::string& path, file_io::OpenOptions options, IoStatus& status) {
  options.oneName = true;
  file_io::Opened opened = file_io::Open(path, options);
  status = opened.refusal != Refusal::kNone ? IoStatus::Refused(opened.refusal)
           : opened.file                    ? IoStatus{}
                                            : IoStatus::Failed(file_io::ErrorText(opened.error));
  return opened;
}

class Win32Claim final : public TestFileClaim {
 public:
  Win32Claim(File file, bool created) : file_(std::move(file)), created_(created) {}
  bool Created() const override { return created_; }

 private:
  File file_;
  bool created_;
};

// The claim reads nothing but must hold read access for its lock; the steps
// let it, and it lets them write and remove the file.
class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override {
    file_io::Opened opened = OpenChecked(path, {.create = file_io::Create::kNew}, status);
    const bool created = static_cast<bool>(opened.file);
    if (!created && status.refusal == Refusal::kNone && opened.error == ERROR_FILE_EXISTS) {
      opened = OpenChecked(path, {}, status);
    }
    if (!opened.file) return nullptr;
    const file_io::LockOutcome lock = file_io::TryLock(opened.file);
    if (lock != file_io::LockOutcome::kLocked) {
      status = lock == file_io::LockOutcome::kInUse ? IoStatus::Refused(Refusal::kInUse) : LastError();
      return nullptr;
    }
    return std::make_unique<Win32Claim>(std::move(opened.file), created);
  }

  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    file_io::Opened opened =
        OpenChecked(path, {.access = file_io::Access::kReadWrite, .share = file_io::Share::kRead}, status);
    return opened.file ? std::make_unique<Win32TestFile>(std::move(opened.file)) : nullptr;
  }

  std::string ClearCache(const std::string& path, std::int32_t cacheUnit) override {
    IoStatus status;
    const file_io::Opened opened = OpenChecked(path, {.uncached = true, .share = file_io::Share::kRead}, status);
    if (status.refusal != Refusal::kNone) return RefusalMessage(status.refusal, path);
    if (!opened.file) {
      // A vanished folder (a share gone) is as missing as a vanished file.
      const bool missing = opened.error == ERROR_FILE_NOT_FOUND || opened.error == ERROR_PATH_NOT_FOUND;
      return missing ? UnableToFindMessage(path) : OpenErrorMessage(opened.error);
    }
    const HANDLE file = Of(opened.file);
    LARGE_INTEGER length{};
    GetFileSizeEx(file, &length);
    std::int64_t size = EvictionBufferSize(length.QuadPart, cacheUnit);
    std::unique_ptr<Reservation> buffer;
    while (!(buffer = std::make_unique<Reservation>(size))->get()) {
      const DWORD error = GetLastError();
      if (error != ERROR_NOT_ENOUGH_MEMORY) return AllocationErrorMessage(error);
      if ((size = SmallerEvictionBuffer(size, cacheUnit)) == 0) return kNotEnoughMemoryMessage;
    }
    for (DWORD got = static_cast<DWORD>(size); got == static_cast<DWORD>(size);) {
      if (!ReadFile(file, buffer->get(), static_cast<DWORD>(size), &got, nullptr)) return kReadErrorMessage;
    }
    return {};
  }

  IoStatus Remove(const std::string& path) override {
    if (DeleteFileW(file_io::WidePath(path).c_str())) return {};
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? IoStatus{} : LastError();
  }

  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override {
    ULARGE_INTEGER available{};
    const std::wstring wide = file_io::WidePath(folder);
    if (wide.empty() || !GetDiskFreeSpaceExW(wide.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
  }

  std::uint64_t LeftOverBytes(const std::string& path) override {
    IoStatus status;
    const file_io::Opened opened = OpenChecked(path, {.access = file_io::Access::kAttributes}, status);
    LARGE_INTEGER length{};
    if (!opened.file || !GetFileSizeEx(Of(opened.file), &length)) return 0;
    return static_cast<std::uint64_t>(length.QuadPart);
  }

  std::string CacheCaveat() const override {
    static const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return underWine ? kWineCaveat : std::string();
  }

 private:
  static constexpr char kWineCaveat[] = "file cache speed (Wine cannot bypass the cache)";
};

}  // namespace

std::unique_ptr<FileSystem> SystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace tallix::transfer
