// The test file on Windows. Writes end with FlushFileBuffers, so that the
// write figure is the device's rather than the file cache's; the cache is
// cleared by reading the file once without system buffering. Wine does not
// honour unbuffered reads, so under Wine the read figure is the cache's, and
// CacheCaveat says so.
#include <windows.h>

#include <cwctype>

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

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<TestFile> Open(const std::string& path, Access, IoStatus& status) override {
    const HANDLE handle = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      status = LastError();
      return nullptr;
    }
    status = {};
    return std::make_unique<Win32TestFile>(handle);
  }

  std::string ClearCache(const std::string& path, std::int32_t cacheUnit) override {
    const Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
