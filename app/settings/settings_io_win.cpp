// The settings file's calls on Windows: a write's target is found by
// opening the path and asking where it leads, writes go to a new file moved
// over the old one, and the lock is a byte's lock on a file beside the settings.
#include <windows.h>

#include <chrono>
#include <string>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"
#include "services/file_io.h"

namespace tallix {

namespace {

using file_io::ErrorText;
using file_io::Utf8FromWide;
using file_io::WidePath;

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

// The plain form of a path the system returns with "\\?\" before it:
// "C:\..." or "\\server\share\...".
std::wstring WithoutLongPathPrefix(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return path.replace(0, 8, L"\\\\");
  if (path.starts_with(L"\\\\?\\") && path.size() >= 6 && path[5] == L':') return path.substr(4);
  return path;
}

}  // namespace

WriteTarget ResolveWriteTarget(const std::string& path) {
  const std::wstring widePath = WidePath(path);
  if (widePath.empty()) return {{}, ErrorText(ERROR_INVALID_NAME)};
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  const bool isLink = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  // Without any access to the data, only to learn where the path leads;
  // the folder flag lets a folder open too, so that it can be told apart.
  const file_io::File probe(reinterpret_cast<std::intptr_t>(
      CreateFileW(widePath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
  const HANDLE file = reinterpret_cast<HANDLE>(probe.native());
  if (!probe) {
    // Nothing there yet, or a file the replace will have its own say about;
    // but a link that leads nowhere is not replaced by a file.
    if (!isLink) return {path, {}};
    return {{}, ErrorText(GetLastError())};
  }
  if (GetFileType(file) != FILE_TYPE_DISK) return {{}, std::string(kDeviceReason)};
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {{}, std::string(kFolderReason)};
  }
  const std::wstring finalPath = WithoutLongPathPrefix(file_io::FinalPathOf(file));
  if (!finalPath.empty()) return {Utf8FromWide(finalPath), {}};
  if (isLink) return {{}, ErrorText(GetLastError())};
  return {path, {}};
}

FileBytes ReadFileBytes(const std::string& path, std::size_t limit) {
  // The user's file: through a link to where it leads.
  file_io::Opened opened;
  const auto open = [&] {
    opened = file_io::Open(path, {.followLinks = true});
    return static_cast<bool>(opened.file);
  };
  RetryWhileBusy(kBusyFileWait, open, IsSharingViolation);
  return ReadOpenedFile(opened, opened.error == ERROR_FILE_NOT_FOUND || opened.error == ERROR_PATH_NOT_FOUND, limit);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
  const auto fail = [reason](std::string_view why) {
    if (reason != nullptr) *reason = why;
    return false;
  };
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.path.empty()) return fail(target.reason);
  const std::wstring widePath = WidePath(target.path);
  if (widePath.empty()) return fail(ErrorText(ERROR_INVALID_NAME));
  // MoveFileEx would replace a read-only file and drop its attribute.
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return fail(kReadOnlyFileReason);
  }
  // A name left behind by a crashed run is skipped, not reused.
  static unsigned serial = 0;
  std::string temporary;
  file_io::Opened file;
  for (int attempt = 0; attempt < 16 && !file.file; ++attempt) {
    temporary = TemporaryPathFor(target.path, GetCurrentProcessId(), ++serial);
    file = file_io::Open(temporary, {.access = file_io::Access::kWrite,
                                     .create = file_io::Create::kNew,
                                     .followLinks = true,
                                     .share = file_io::Share::kNone});
    if (!file.file && file.error != ERROR_FILE_EXISTS) break;
  }
  if (!file.file) return fail(ErrorText(file.error));
  DWORD error = ERROR_SUCCESS;
  if (!file_io::WriteAll(file.file, bytes) || !FlushFileBuffers(reinterpret_cast<HANDLE>(file.file.native()))) {
    error = file_io::LastError();
  }
  if (!file.file.Close() && error == ERROR_SUCCESS) error = file_io::LastError();
  if (error == ERROR_SUCCESS) return MoveFileOver(temporary, target.path, reason);
  DeleteFileW(WidePath(temporary).c_str());
  return fail(ErrorText(error));
}

bool MoveFileOver(const std::string& from, const std::string& to, std::string* reason) {
  const std::wstring wideFrom = WidePath(from), wideTo = WidePath(to);
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
  const DWORD error = wideFrom.empty() || wideTo.empty() ? ERROR_INVALID_NAME : file_io::LastError();
  DeleteFileW(wideFrom.c_str());
  if (reason != nullptr) *reason = ErrorText(error);
  SetLastError(error);
  return false;
}

SettingsFileLock::SettingsFileLock(const std::string& path) {
  const auto lock = [&] {
    // The link itself, never where it leads: a lock file planted as a link
    // is not used.
    file_io::File file = file_io::Open(path + ".lock", {.create = file_io::Create::kIfMissing}).file;
    if (!file || file_io::TryLock(file) != file_io::LockOutcome::kLocked) return false;
    file_ = std::move(file);
    return true;
  };
  RetryWhileBusy(kSettingsLockWait, lock, [](DWORD error) {
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING || IsSharingViolation(error);
  });
}

std::string ExecutableFilePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return Utf8FromWide(buffer);
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tallix
