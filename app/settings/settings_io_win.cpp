#include <windows.h>

#include <chrono>
#include <cwctype>
#include <string>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"

namespace tallix {

namespace {

// Empty when the text is not valid UTF-8, so a mangled path never names some
// other file.
std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
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
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);  // nothing stored, and no error set
      return false;
    }
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

// A failed call's error, never "success", so that a failure cannot pass for one.
DWORD LastErrorOrWriteFault() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

// The system's own sentence for an error, without its closing full stop.
std::string ErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text != nullptr ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'.' || iswspace(message.back()))) message.pop_back();
  return message.empty() ? "Error " + std::to_string(error) : Narrow(message);
}

// The plain form of a path the system returns with "\\?\" before it:
// "C:\..." or "\\server\share\...".
std::wstring WithoutLongPathPrefix(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return path.replace(0, 8, L"\\\\");
  if (path.starts_with(L"\\\\?\\") && path.size() >= 6 && path[5] == L':') return path.substr(4);
  return path;
}

// The full path of the file `file` is open on, every link and junction on the
// way followed; empty if the system will not say.
std::wstring FinalPathOf(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return WithoutLongPathPrefix(std::move(path));
    }
    path.resize(length);
  }
}

}  // namespace

WriteTarget ResolveWriteTarget(const std::string& path) {
  const std::wstring widePath = Widen(path);
  if (widePath.empty()) return {{}, ErrorText(ERROR_INVALID_NAME)};
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  const bool isLink = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  // Without any access to the data, only to learn where the path leads;
  // the folder flag lets a folder open too, so that it can be told apart.
  Handle file{CreateFileW(widePath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE) {
    // Nothing there yet, or a file the replace will have its own say about;
    // but a link that leads nowhere is not replaced by a file.
    if (!isLink) return {path, {}};
    return {{}, ErrorText(GetLastError())};
  }
  if (GetFileType(file.handle) != FILE_TYPE_DISK) return {{}, std::string(kDeviceReason)};
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(file.handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {{}, std::string(kFolderReason)};
  }
  const std::wstring finalPath = FinalPathOf(file.handle);
  if (!finalPath.empty()) return {Narrow(finalPath), {}};
  if (isLink) return {{}, ErrorText(GetLastError())};
  return {path, {}};
}

FileBytes ReadFileBytes(const std::string& path, std::size_t limit) {
  const std::wstring widePath = Widen(path);
  if (widePath.empty()) return {FileBytes::Status::kUnreadable, {}, ErrorText(ERROR_INVALID_NAME)};
  Handle file{INVALID_HANDLE_VALUE};
  const auto open = [&] {
    file.handle = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file.handle != INVALID_HANDLE_VALUE;
  };
  if (!RetryWhileBusy(kBusyFileWait, open, IsSharingViolation)) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileBytes::Status::kMissing : FileBytes::Status::kUnreadable, {}, ErrorText(error)};
  }
  // A device or a pipe: reading one could block or never end.
  if (GetFileType(file.handle) != FILE_TYPE_DISK) return {FileBytes::Status::kUnreadable, {}, "Not a regular file"};
  FileBytes result{FileBytes::Status::kRead, {}, {}};
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr)) {
      return {FileBytes::Status::kUnreadable, {}, ErrorText(GetLastError())};
    }
    if (got == 0) break;
    result.bytes.append(buffer, got);
    if (result.bytes.size() > limit) return TooLargeFileBytes(std::move(result.bytes), limit);
  }
  return result;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  const auto fail = [reason](std::string_view why) {
    if (reason != nullptr) *reason = why;
    return false;
  };
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.path.empty()) return fail(target.reason);
  const std::wstring widePath = Widen(target.path);
  if (widePath.empty()) return fail(ErrorText(ERROR_INVALID_NAME));
  // MoveFileEx would replace a read-only file and drop its attribute.
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return fail(kReadOnlyFileReason);
  }
  // A name left behind by a crashed run is skipped, not reused.
  static unsigned serial = 0;
  std::wstring temporary;
  DWORD error = ERROR_SUCCESS;
  {
    Handle file{INVALID_HANDLE_VALUE};
    for (int attempt = 0; attempt < 16 && file.handle == INVALID_HANDLE_VALUE; ++attempt) {
      temporary = Widen(TemporaryPathFor(target.path, GetCurrentProcessId(), ++serial));
      file.handle =
          CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file.handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file.handle == INVALID_HANDLE_VALUE) return fail(ErrorText(GetLastError()));
    if (!WriteAll(file.handle, bytes) || !FlushFileBuffers(file.handle)) error = LastErrorOrWriteFault();
    if (!CloseHandle(file.handle) && error == ERROR_SUCCESS) error = LastErrorOrWriteFault();
    file.handle = INVALID_HANDLE_VALUE;
  }
  if (error == ERROR_SUCCESS) return MoveFileOver(Narrow(temporary), target.path, reason);
  DeleteFileW(temporary.c_str());
  return fail(ErrorText(error));
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason) {
  const std::wstring wideFrom = Widen(from), wideTo = Widen(to);
  // The file cannot be replaced while another process reads it; readers let
  // go of it within milliseconds.
  const auto move = [&] {
    return MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  };
  if (!wideFrom.empty() && !wideTo.empty() && RetryWhileBusy(kSettingsLockWait, move, [](DWORD code) {
        return code == ERROR_ACCESS_DENIED || IsSharingViolation(code);
      })) {
    return true;
  }
  const DWORD error = wideFrom.empty() || wideTo.empty() ? ERROR_INVALID_NAME : LastErrorOrWriteFault();
  DeleteFileW(wideFrom.c_str());
  if (reason != nullptr) *reason = ErrorText(error);
  SetLastError(error);
  return false;
}

std::string LastFileErrorText() { return ErrorText(LastErrorOrWriteFault()); }

SettingsFileLock::SettingsFileLock(const std::string& path) {
  const std::wstring lockPath = Widen(path + ".lock");
  if (lockPath.empty()) return;
  const auto lock = [&] {
    // The link itself, never where it leads: a lock file planted as a link
    // is not used.
    const HANDLE file =
        CreateFileW(lockPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      CloseHandle(file);
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
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
