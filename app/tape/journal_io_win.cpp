#include <windows.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "app/tape/journal_io.h"
#include "services/opened_file_win.h"

namespace tallix::journal_io {
namespace {

// The lock covers one byte far beyond any journal's end: a lock on Windows
// forbids others to read what it covers, and a journal must stay readable.
OVERLAPPED LockPlace() {
  OVERLAPPED place{};
  place.OffsetHigh = 0x7FFFFFFF;
  return place;
}

std::wstring WidePath(const std::string& path) {
  try {
    return std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
  } catch (...) {
    return {};  // not UTF-8: it names no file of ours
  }
}

// Never through a link or junction, and only a file on a disk of one name.
// Under Wine a Unix link shows no reparse point: the file opened must be
// the one of that name in its folder, and when the system cannot say, it
// is not taken for a journal.
Handle OpenRegular(const std::string& path, DWORD access, DWORD disposition) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return kNoHandle;
  const HANDLE file = CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoHandle;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
      info.nNumberOfLinks != 1 || !OpenedAsNamed(file, wide)) {
    CloseHandle(file);
    SetLastError(ERROR_ACCESS_DENIED);
    return kNoHandle;
  }
  return reinterpret_cast<Handle>(file);
}

// No DELETE: a handle with it would keep every reader that does not share
// deletion (most programs) from the journal while its window runs.
constexpr DWORD kJournalAccess = GENERIC_READ | GENERIC_WRITE;

Handle Locked(Handle handle) {
  if (handle == kNoHandle) return handle;
  OVERLAPPED place = LockPlace();
  if (!LockFileEx(reinterpret_cast<HANDLE>(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                  &place)) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return kNoHandle;
  }
  return handle;
}

HANDLE Of(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

Handle CreateLocked(const std::string& path) { return Locked(OpenRegular(path, kJournalAccess, CREATE_NEW)); }

Handle OpenLocked(const std::string& path) { return Locked(OpenRegular(path, kJournalAccess, OPEN_EXISTING)); }

bool IsHeld(const std::string& path) {
  const Handle handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
  if (handle == kNoHandle) return false;
  OVERLAPPED place = LockPlace();
  const bool free = LockFileEx(Of(handle), LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place);
  if (free) {
    place = LockPlace();
    UnlockFileEx(Of(handle), 0, 1, 0, &place);
  }
  CloseHandle(Of(handle));
  return !free;
}

bool Append(Handle handle, std::string_view bytes) {
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(Of(handle), end, nullptr, FILE_END)) return false;
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(Of(handle), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool Flush(Handle handle) { return FlushFileBuffers(Of(handle)) != 0; }

bool ReadAll(Handle handle, std::string& bytes, std::uint64_t limit) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(Of(handle), &size) || static_cast<std::uint64_t>(size.QuadPart) > limit) return false;
  bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(Of(handle), start, nullptr, FILE_BEGIN)) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = bytes.size() - done > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size() - done);
    DWORD got = 0;
    if (!ReadFile(Of(handle), bytes.data() + done, chunk, &got, nullptr) || got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return true;
}

namespace {

// Whether `from` names the very file `handle` holds.
bool NamesHeld(Handle handle, const std::string& from) {
  const Handle named = OpenRegular(from, FILE_READ_ATTRIBUTES, OPEN_EXISTING);
  if (named == kNoHandle) return false;
  BY_HANDLE_FILE_INFORMATION held{}, found{};
  const bool same = GetFileInformationByHandle(Of(handle), &held) && GetFileInformationByHandle(Of(named), &found) &&
                    held.dwVolumeSerialNumber == found.dwVolumeSerialNumber &&
                    held.nFileIndexHigh == found.nFileIndexHigh && held.nFileIndexLow == found.nFileIndexLow;
  CloseHandle(Of(named));
  return same;
}

}  // namespace

// Through the handle, with the right to rename asked of the file it holds,
// not of a name. Wine renames a handle's file by the name it was opened
// with, so that name must still lead to the file held.
bool RenameHeld(Handle handle, const std::string& from, const std::string& to) {
  const std::wstring wide = WidePath(to);
  if (wide.empty() || !NamesHeld(handle, from)) return false;
  const HANDLE renaming =
      ReOpenFile(Of(handle), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
  if (renaming == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + wide.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  const bool renamed =
      SetFileInformationByHandle(renaming, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
  CloseHandle(renaming);
  return renamed;
}

void Close(Handle handle) {
  if (handle == kNoHandle) return;
  OVERLAPPED place = LockPlace();
  UnlockFileEx(Of(handle), 0, 1, 0, &place);
  CloseHandle(Of(handle));
}

}  // namespace tallix::journal_io
