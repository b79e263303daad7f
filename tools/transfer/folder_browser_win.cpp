#include "tools/transfer/folder_browser_win.h"

#include <objbase.h>
#include <shlobj.h>

namespace tallix::transfer {

std::wstring BrowseForFolder(HWND owner, const std::wstring& title) {
  // The new dialog style with its edit box needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  std::wstring path;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
    wchar_t chosen[MAX_PATH] = {};
    if (SHGetPathFromIDListW(item, chosen)) path = chosen;
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return path;
}

}  // namespace tallix::transfer
