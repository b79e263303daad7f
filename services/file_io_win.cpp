// Files opened safely on Windows. What a name is gets looked at first with
// no access to its data, so that a pipe under the name is never waited on;
// the opened handle is then checked again. A file Tallix names itself is
// opened as the link itself (FILE_FLAG_OPEN_REPARSE_POINT), and as Wine opens
// what a Unix link points to and shows no reparse point for it, the file
// opened must also be the one of that name in its folder: when the system
// cannot say, it is taken for a link.
#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "services/file_io.h"

namespace tallix::file_io {
namespace {

// The final path of a folder, asked of the system once a thread for the last
// folder named, as Wine is slow to say it. Were the folder swapped for a link
// since, a file in it no longer matches the path kept and is refused.
const std::wstring& FolderPathOf(const std::wstring& folder) {
  thread_local std::wstring named, final;
  if (folder == named && !final.empty()) return final;
  named = folder;
  final.clear();
  const HANDLE handle =
      CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    final = FinalPathOf(handle);
    CloseHandle(handle);
  }
  if (!final.empty() && final.back() != L'\\') final += L'\\';
  return final;
}

// Whether the file `handle` has open is known to be the one named `path` in
// its folder, rather than one a link led to: false too when the system will
// not name either of them (or `path` names no folder).
bool OpenedAsNamed(HANDLE handle, const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return false;
  const std::wstring opened = FinalPathOf(handle);
  const std::wstring& folder = FolderPathOf(path.substr(0, slash + 1));
  if (opened.empty() || folder.empty()) return false;
  const std::wstring expected = folder + path.substr(slash + 1);
  return CompareStringOrdinal(opened.data(), static_cast<int>(opened.size()), expected.data(),
                              static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

// `opened`: the handle is the one the caller gets, and only then is it
// asked whether a link led to it (the look before opening needs to know only
// what the name is; asking the system for both paths is slow under Wine). A
// file just made is never asked: making one fails where any name, a link's
// too, already stands.
Refusal Check(HANDLE handle, const std::wstring& path, const OpenOptions& options, bool opened) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)) {
    return Refusal::kNotRegular;
  }
  if (!options.followLinks && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return Refusal::kLink;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Refusal::kFolder;
  if (options.oneName && info.nNumberOfLinks != 1) return Refusal::kManyNames;
  if (opened && !options.followLinks && options.create != Create::kNew && !OpenedAsNamed(handle, path)) {
    return Refusal::kLink;
  }
  return Refusal::kNone;
}

Opened Refused(Refusal refusal) {
  const DWORD error = refusal == Refusal::kBadName ? ERROR_INVALID_NAME : ERROR_ACCESS_DENIED;
  SetLastError(error);
  return {File(), refusal, error};
}

HANDLE Of(const File& file) { return reinterpret_cast<HANDLE>(file.native()); }

// `wide` in UTF-8, converted with `flags`; empty when that fails.
std::string ToUtf8(std::wstring_view wide, DWORD flags) {
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

constexpr DWORD kAllShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A lock on Windows forbids others to read what it covers: one byte far
// beyond any file's end keeps a locked file readable.
OVERLAPPED LockPlace() {
  OVERLAPPED place{};
  place.OffsetHigh = 0x7FFFFFFF;
  return place;
}

}  // namespace

bool File::Close() {
  if (native_ == -1) return true;
  const DWORD before = GetLastError();
  const HANDLE handle = reinterpret_cast<HANDLE>(std::exchange(native_, -1));
  if (std::exchange(locked_, false)) {
    OVERLAPPED place = LockPlace();
    UnlockFileEx(handle, 0, 1, 0, &place);
  }
  if (!CloseHandle(handle)) return false;
  SetLastError(before);
  return true;
}

Opened Open(const std::string& path, const OpenOptions& options) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return Refused(Refusal::kBadName);
  const DWORD follow = options.followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT;
  if (options.create != Create::kNew) {
    File name(
        reinterpret_cast<std::intptr_t>(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kAllShare, nullptr,
                                                    OPEN_EXISTING, follow | FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    const Refusal refusal = name ? Check(Of(name), wide, options, false) : Refusal::kNone;
    if (refusal != Refusal::kNone) return Refused(refusal);
  }
  constexpr DWORD kAccess[] = {FILE_READ_ATTRIBUTES, GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  constexpr DWORD kCreate[] = {OPEN_EXISTING, CREATE_NEW, OPEN_ALWAYS};
  constexpr DWORD kShare[] = {kAllShare, FILE_SHARE_READ, 0};
  const DWORD flags =
      FILE_ATTRIBUTE_NORMAL | follow | (options.uncached ? FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN : 0);
  Opened opened{File(reinterpret_cast<std::intptr_t>(
      CreateFileW(wide.c_str(), kAccess[static_cast<int>(options.access)], kShare[static_cast<int>(options.share)],
                  nullptr, kCreate[static_cast<int>(options.create)], flags, nullptr)))};
  if (!opened.file) {
    opened.error = GetLastError();
    return opened;
  }
  if (const Refusal refusal = Check(Of(opened.file), wide, options, true); refusal != Refusal::kNone) {
    return Refused(refusal);
  }
  return opened;
}

bool WriteAll(const File& file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 0x10000000));
    DWORD written = 0;
    if (!WriteFile(Of(file), bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);  // nothing stored, and no error set
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

ReadOutcome ReadAll(const File& file, std::string& bytes, std::uint64_t limit) {
  LARGE_INTEGER size{}, start{};
  if (!GetFileSizeEx(Of(file), &size) || !SetFilePointerEx(Of(file), start, nullptr, FILE_BEGIN)) {
    return ReadOutcome::kFailed;
  }
  // The size is a hint: the file may grow or shrink while it is read.
  bytes.clear();
  bytes.reserve(
      static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart), limit + 1)));
  for (;;) {
    const DWORD room = static_cast<DWORD>(std::min<std::uint64_t>(limit + 1 - bytes.size(), 1 << 20));
    const std::size_t done = bytes.size();
    bytes.resize(done + room);
    DWORD got = 0;
    const bool read = ReadFile(Of(file), bytes.data() + done, room, &got, nullptr) != 0;
    bytes.resize(done + got);
    if (!read) return ReadOutcome::kFailed;
    if (bytes.size() > limit) return ReadOutcome::kTooLarge;
    if (got == 0) return ReadOutcome::kRead;
  }
}

LockOutcome TryLock(File& file) {
  OVERLAPPED place = LockPlace();
  if (LockFileEx(Of(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place)) {
    file.locked_ = true;
    return LockOutcome::kLocked;
  }
  const DWORD error = GetLastError();
  return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? LockOutcome::kInUse : LockOutcome::kFailed;
}

std::uint32_t LastError() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

std::string ErrorText(std::uint32_t error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text != nullptr ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'.' || iswspace(message.back()))) message.pop_back();
  return message.empty() ? "Error " + std::to_string(error) : Utf8FromWide(message);
}

std::wstring WidePath(std::string_view utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) { return ToUtf8(wide, 0); }

std::optional<std::filesystem::path> FsPath(std::string_view utf8) {
  if (utf8.empty()) return std::filesystem::path();
  std::wstring wide = WidePath(utf8);
  if (wide.empty()) return std::nullopt;
  return std::filesystem::path(std::move(wide));
}

std::optional<std::string> Utf8Path(const std::filesystem::path& path) {
  if (path.empty()) return std::string();
  std::string text = ToUtf8(path.native(), WC_ERR_INVALID_CHARS);
  if (text.empty()) return std::nullopt;
  return text;
}

std::wstring FinalPathOf(void* handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(length);
  }
}

}  // namespace tallix::file_io
