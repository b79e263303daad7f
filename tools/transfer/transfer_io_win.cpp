// The test file on Windows. Writes end with FlushFileBuffers, so that the
// write figure is the device's rather than the file cache's; the cache is
// cleared by reading the file once without system buffering. Wine does not
// honour unbuffered reads, so under Wine the read figure is the cache's, and
// CacheCaveat says so.
// Every open of the test file opens a link itself (FILE_FLAG_OPEN_REPARSE_POINT)
// and checks the opened handle: a link, a second name of another file, or
// anything but a file on a disk is refused. What a name is gets looked at
// first with no access to its data, so that a pipe of that name is never
// waited on.
#include <windows.h>

#include <cwctype>

#include "services/opened_file_win.h"
#include "tools/transfer/transfer_eviction.h"
#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {

namespace {

std::wstring Widen(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// The system's sentence for the last error (never "success": a failure must not pass for one).
IoStatus LastError() {
  const DWORD error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words(text ? text : L"", length);
  LocalFree(text);
  while (!words.empty() && (words.back() == L'.' || std::iswspace(words.back()))) words.pop_back();
  if (words.empty()) return IoStatus::Failed("error " + std::to_string(error));
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, words.data(), static_cast<int>(words.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, words.data(), static_cast<int>(words.size()), utf8.data(), bytes, nullptr, nullptr);
  return IoStatus::Failed(utf8);
}

class Win32TestFile final : public TestFile {
 public:
  explicit Win32TestFile(HANDLE handle) : handle_(handle) {}
  ~Win32TestFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  IoStatus Write(std::span<const std::byte> data) override {
    DWORD written = 0;
    if (!WriteFile(handle_, data.data(), static_cast<DWORD>(data.size()), &written, nullptr)) return LastError();
    if (written != data.size()) {
      SetLastError(ERROR_DISK_FULL);
      return LastError();
    }
    return {};
  }

  IoStatus Read(std::span<std::byte> buffer, std::size_t& got) override {
    DWORD count = 0;
    got = 0;
    if (!ReadFile(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr)) return LastError();
    got = count;
    return {};
  }

  IoStatus Flush() override { return FlushFileBuffers(handle_) ? IoStatus{} : LastError(); }

  IoStatus Close() override {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) ? IoStatus{} : LastError();
  }

 private:
  HANDLE handle_;
};

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
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

Refusal Check(HANDLE handle, const std::wstring& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)) {
    return Refusal::kNotRegular;
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return Refusal::kLink;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Refusal::kNotRegular;
  if (info.nNumberOfLinks != 1) return Refusal::kManyNames;
  // Under Wine a Unix link shows no reparse point.
  if (!OpenedAsNamed(handle, path)) return Refusal::kLink;
  return Refusal::kNone;
}

// The name looked at without opening its data; INVALID_HANDLE_VALUE when there is no such name.
HANDLE OpenForAttributes(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A handle of the test file that passed the checks, or INVALID_HANDLE_VALUE
// with `status` saying why not (the system's error stays the last error).
HANDLE OpenChecked(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
                   IoStatus& status) {
  const std::wstring wide = Widen(path);
  if (disposition != CREATE_NEW) {
    const HANDLE name = OpenForAttributes(wide);
    if (name != INVALID_HANDLE_VALUE) {
      const Refusal refusal = Check(name, wide);
      CloseHandle(name);
      if (refusal != Refusal::kNone) {
        status = IoStatus::Refused(refusal);
        return INVALID_HANDLE_VALUE;
      }
    }
  }
  const HANDLE handle =
      CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    status = LastError();
    SetLastError(error);
    return handle;
  }
  if (const Refusal refusal = Check(handle, wide); refusal != Refusal::kNone) {
    CloseHandle(handle);
    status = IoStatus::Refused(refusal);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  status = {};
  return handle;
}

// The claim's lock: one byte far beyond any data, so that it keeps other
// runs out without getting in the way of this run's own reads and writes.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

class Win32Claim final : public TestFileClaim {
 public:
  Win32Claim(HANDLE handle, bool created) : handle_(handle), created_(created) {}
  ~Win32Claim() override { CloseHandle(handle_); }
  bool Created() const override { return created_; }

 private:
  HANDLE handle_;
  bool created_;
};

// The claim reads nothing but must hold read access for its lock; the steps
// let it, and it lets them write and remove the file.
constexpr DWORD kClaimShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kStepShare = FILE_SHARE_READ;

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override {
    HANDLE handle = OpenChecked(path, GENERIC_READ, kClaimShare, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, status);
    const bool created = handle != INVALID_HANDLE_VALUE;
    if (!created && status.refusal == Refusal::kNone && GetLastError() == ERROR_FILE_EXISTS) {
      handle = OpenChecked(path, GENERIC_READ, kClaimShare, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, status);
    }
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    auto claim = std::make_unique<Win32Claim>(handle, created);
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      const DWORD error = GetLastError();
      status =
          error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? IoStatus::Refused(Refusal::kInUse) : LastError();
      return nullptr;
    }
    return claim;
  }

  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    const HANDLE handle =
        OpenChecked(path, GENERIC_READ | GENERIC_WRITE, kStepShare, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, status);
    return handle == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<Win32TestFile>(handle);
  }

  std::string ClearCache(const std::string& path, std::int32_t cacheUnit) override {
    IoStatus status;
    const Handle file(OpenChecked(path, GENERIC_READ, kStepShare, OPEN_EXISTING,
                                  FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, status));
    if (status.refusal != Refusal::kNone) return RefusalMessage(status.refusal, path);
    if (file.get() == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      // A vanished folder (a share gone) is as missing as a vanished file.
      const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return missing ? UnableToFindMessage(path) : OpenErrorMessage(error);
    }
    LARGE_INTEGER length{};
    GetFileSizeEx(file.get(), &length);
    std::int64_t size = EvictionBufferSize(length.QuadPart, cacheUnit);
    std::unique_ptr<Reservation> buffer;
    while (!(buffer = std::make_unique<Reservation>(size))->get()) {
      const DWORD error = GetLastError();
      if (error != ERROR_NOT_ENOUGH_MEMORY) return AllocationErrorMessage(error);
      if ((size = SmallerEvictionBuffer(size, cacheUnit)) == 0) return kNotEnoughMemoryMessage;
    }
    for (DWORD got = static_cast<DWORD>(size); got == static_cast<DWORD>(size);) {
      if (!ReadFile(file.get(), buffer->get(), static_cast<DWORD>(size), &got, nullptr)) return kReadErrorMessage;
    }
    return {};
  }

  IoStatus Remove(const std::string& path) override {
    if (DeleteFileW(Widen(path).c_str())) return {};
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? IoStatus{} : LastError();
  }

  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(Widen(folder).c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
  }

  std::uint64_t LeftOverBytes(const std::string& path) override {
    const std::wstring wide = Widen(path);
    const Handle name(OpenForAttributes(wide));
    LARGE_INTEGER length{};
    if (name.get() == INVALID_HANDLE_VALUE || Check(name.get(), wide) != Refusal::kNone ||
        !GetFileSizeEx(name.get(), &length)) {
      return 0;
    }
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
