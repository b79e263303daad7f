// The tape journal's file calls that differ on Windows: an append seeks the
// end first, and a rename goes through the handle held, never a name.
#include <windows.h>

#include <cstring>
#include <vector>

#include "app/tape/journal_io.h"

namespace tallix::journal_io {
namespace {

HANDLE Of(const File& file) { return reinterpret_cast<HANDLE>(file.native()); }

// Whether `from` names the very file `file` holds.
bool NamesHeld(const File& file, const std::string& from) {
  const File named = file_io::Open(from, {.access = file_io::Access::kAttributes, .oneName = true}).file;
  BY_HANDLE_FILE_INFORMATION held{}, found{};
  return named && GetFileInformationByHandle(Of(file), &held) && GetFileInformationByHandle(Of(named), &found) &&
         held.dwVolumeSerialNumber == found.dwVolumeSerialNumber && held.nFileIndexHigh == found.nFileIndexHigh &&
         held.nFileIndexLow == found.nFileIndexLow;
}

}  // namespace

bool Append(const File& file, std::string_view bytes) {
  LARGE_INTEGER end{};
  return SetFilePointerEx(Of(file), end, nullptr, FILE_END) && file_io::WriteAll(file, bytes);
}

bool Flush(const File& file) { return FlushFileBuffers(Of(file)) != 0; }

// Through the handle, with the right to rename asked of the file it holds,
// not of a name. Wine renames a handle's file by the name it was opened
// with, so that name must still lead to the file held.
bool RenameHeld(const File& file, const std::string& from, const std::string& to) {
  const std::wstring wide = file_io::WidePath(to);
  if (wide.empty() || !NamesHeld(file, from)) return false;
  const HANDLE renaming =
      ReOpenFile(Of(file), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
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

}  // namespace tallix::journal_io
