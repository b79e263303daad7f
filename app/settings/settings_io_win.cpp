#include <windows.h>

#include <chrono>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"

namespace tallix {

namespace {

// Empty when the text is not valid UTF-8, so a mangled path never names some
// other file.
std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

struct Handle {
  HANDLE handle;
  ~Handle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Calls `attempt` until it succeeds, fails with an error `busy` does not
// accept, or `limit` has passed.
template <typename Attempt, typename Busy>
bool RetryWhileBusy(std::chrono::milliseconds limit, Attempt attempt, Busy busy) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (attempt()) return true;
    if (!busy(GetLastError()) || std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(2);
  }
}

// A file opened without sharing (a backup, a scanner, an editor saving) is
// usually let go within milliseconds.
constexpr std::chrono::milliseconds kBusyFileWait{250};

bool IsSharingViolation(DWORD error) { return error == ERROR_SHARING_VIOLATION; }

}  // namespace

FileBytes ReadFileBytes(const std::string& path) {
  const std::wstring widePath = Widen(path);
  if (widePath.empty()) return {FileBytes::Status::kUnreadable, {}};
  Handle file{INVALID_HANDLE_VALUE};
  const auto open = [&] {
    file.handle = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file.handle != INVALID_HANDLE_VALUE;
  };
  if (!RetryWhileBusy(kBusyFileWait, open, IsSharingViolation)) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileBytes::Status::kMissing : FileBytes::Status::kUnreadable, {}};
  }
  FileBytes result{FileBytes::Status::kRead, {}};
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr)) return {FileBytes::Status::kUnreadable, {}};
    if (got == 0) break;
    result.bytes.append(buffer, got);
    if (result.bytes.size() > kMaxSettingsFileBytes) return TooLargeFileBytes(std::move(result.bytes));
  }
  return result;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  const std::wstring widePath = Widen(path);
  if (widePath.empty()) return false;
  // MoveFileEx would replace a read-only file and drop its attribute.
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  // A name left behind by a crashed run is skipped, not reused.
  static unsigned serial = 0;
  std::wstring temporary;
  bool ok;
  {
    Handle file{INVALID_HANDLE_VALUE};
    for (int attempt = 0; attempt < 16 && file.handle == INVALID_HANDLE_VALUE; ++attempt) {
      temporary = Widen(TemporaryPathFor(path, GetCurrentProcessId(), ++serial));
      file.handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file.handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file.handle == INVALID_HANDLE_VALUE) return false;
    ok = WriteAll(file.handle, bytes) && FlushFileBuffers(file.handle);
    ok = CloseHandle(file.handle) && ok;
    file.handle = INVALID_HANDLE_VALUE;
  }
  // The file cannot be replaced while another process reads it; readers let
  // go of it within milliseconds.
  const auto move = [&] {
    return MoveFileExW(temporary.c_str(), widePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  };
  ok = ok && RetryWhileBusy(kSettingsLockWait, move,
                            [](DWORD error) { return error == ERROR_ACCESS_DENIED || IsSharingViolation(error); });
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

SettingsFileLock::SettingsFileLock(const std::string& path) {
  const std::wstring lockPath = Widen(path + ".lock");
  if (lockPath.empty()) return;
  const auto lock = [&] {
    const HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      SetLastError(error);
      return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
  };
  RetryWhileBusy(kSettingsLockWait, lock, [](DWORD error) {
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING || IsSharingViolation(error);
  });
}

SettingsFileLock::~SettingsFileLock() {
  if (!held()) return;
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  OVERLAPPED whole{};
  UnlockFileEx(file, 0, 1, 0, &whole);
  CloseHandle(file);
}

std::string ExecutableFilePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return Narrow(buffer);
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tallix
