#include "tools/transfer/folder_browser_win.h"

#include <objbase.h>
#include <shlobj.h>

namespace tallix::transfer {
namespace {

int CALLBACK NoteBrowser(HWND browser, UINT message, LPARAM, LPARAM shown) {
  if (message == BFFM_INITIALIZED && shown) *reinterpret_cast<HWND*>(shown) = browser;
  return 0;
}

}  // namespace

std::wstring BrowseForFolder(HWND owner, const std::wstring& title, HWND* shown) {
  // The new dialog style with its edit box needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = NoteBrowser;
  info.lParam = reinterpret_cast<LPARAM>(shown);
  std::wstring path;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  if (shown) *shown = nullptr;
  if (item) {
    wchar_t chosen[MAX_PATH] = {};
    if (SHGetPathFromIDListW(item, chosen)) path = chosen;
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return path;
}

}  // namespace tallix::transfer
