#include "services/opened_file_win.h"

namespace tallix {
namespace {

std::wstring FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(length);
  }
}

}  // namespace

bool OpenedAsNamed(HANDLE handle, const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return false;
  const std::wstring opened = FinalPath(handle);
  const HANDLE folder = CreateFileW(path.substr(0, slash + 1).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  std::wstring expected;
  if (folder != INVALID_HANDLE_VALUE) {
    expected = FinalPath(folder);
    CloseHandle(folder);
  }
  if (opened.empty() || expected.empty()) return false;
  if (expected.back() != L'\\') expected += L'\\';
  expected += path.substr(slash + 1);
  return CompareStringOrdinal(opened.data(), static_cast<int>(opened.size()), expected.data(),
                              static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace tallix
