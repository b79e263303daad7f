#include "ui/control_helpers.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return IsWindow(window) ? SendMessageW(window, message, wParam, lParam) : 0;
}

LPARAM TextParam(const std::wstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

std::wstring ItemText(HWND list, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = Send(list, lengthMessage, index);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = Send(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void PlaceWindow(HWND window, int x, int y, int width, int height, UINT flags) {
  if (IsWindow(window)) SetWindowPos(window, nullptr, x, y, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring FileDialog(bool save, HWND owner, const std::wstring& title, const std::wstring& filter,
                        const std::wstring& defaultExtension, const std::wstring& fileName) {
  std::wstring filterText = filter + L"||";
  for (auto& ch : filterText)
    if (ch == L'|') ch = L'\0';
  std::vector<wchar_t> path(32768, L'\0');
  lstrcpynW(path.data(), fileName.c_str(), static_cast<int>(path.size()));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filterText.c_str();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  return chosen ? std::wstring(path.data()) : std::wstring();
}

const wchar_t* NtName(DWORD major, DWORD minor) {
  if (major == 6 && minor == 0) return L"Microsoft Windows Vista, ";
  if (major == 5 && minor == 2) return L"Microsoft Windows Server 2003 Family, ";
  if (major == 5 && minor == 1) return L"Microsoft Windows XP ";
  if (major == 5 && minor == 0) return L"Microsoft Windows 2000 ";
  if (major <= 4) return L"Microsoft Windows NT ";
  if (major == 6 && minor == 1) return L"Microsoft Windows 7 ";
  if (major == 6 && minor == 2) return L"Microsoft Windows 8 ";
  if (major == 6 && minor == 3) return L"Microsoft Windows 8.1 ";
  return L"Microsoft Windows 10 ";
}

}  // namespace

void SetText(HWND window, const std::wstring& text) {
  if (IsWindow(window)) SetWindowTextW(window, text.c_str());
}
std::wstring GetText(HWND window) { return WindowText(window); }
void EnableControl(HWND window) {
  if (IsWindow(window)) EnableWindow(window, TRUE);
}
void DisableControl(HWND window) {
  if (IsWindow(window)) EnableWindow(window, FALSE);
}
void FocusControl(HWND window) {
  if (IsWindow(window)) SetFocus(window);
}
void MoveControl(HWND window, int x, int y) { PlaceWindow(window, x, y, 0, 0, SWP_NOSIZE); }
void ResizeControl(HWND window, int width, int height) { PlaceWindow(window, 0, 0, width, height, SWP_NOMOVE); }

void SetClientSize(HWND window, int width, int height) {
  if (!IsWindow(window)) return;
  const DWORD style = GetWindowLongW(window, GWL_STYLE);
  RECT rc{0, 0, width, height};
  AdjustWindowRectEx(&rc, style, GetMenu(window) != nullptr && !(style & WS_CHILD),
                     GetWindowLongW(window, GWL_EXSTYLE));
  if (style & WS_VSCROLL) rc.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) rc.bottom += GetSystemMetrics(SM_CYHSCROLL);
  ResizeControl(window, rc.right - rc.left, rc.bottom - rc.top);
  // The arithmetic counts a one-line menu bar; a bar that wraps, or a frame
  // drawn otherwise than the system reports, is seen only in the result.
  for (int pass = 0; pass < 2 && !IsIconic(window); ++pass) {
    RECT client{}, outer{};
    GetClientRect(window, &client);
    if (client.right == width && client.bottom == height) return;
    GetWindowRect(window, &outer);
    ResizeControl(window, outer.right - outer.left + width - client.right,
                  outer.bottom - outer.top + height - client.bottom);
  }
}

void SetChecked(HWND button, bool checked) { Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
int IsChecked(HWND button) { return Send(button, BM_GETCHECK) == BST_CHECKED ? -1 : 0; }
int ListBoxAdd(HWND list, const std::wstring& text) {
  return static_cast<int>(Send(list, LB_ADDSTRING, 0, TextParam(text)));
}
int ListBoxDelete(HWND list, int index) { return static_cast<int>(Send(list, LB_DELETESTRING, index)); }
int ListBoxFind(HWND list, const std::wstring& text) {
  if (!IsWindow(list)) return -1;
  return static_cast<int>(Send(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), TextParam(text)));
}
int ListBoxCount(HWND list) { return static_cast<int>(Send(list, LB_GETCOUNT)); }
int ListBoxSelection(HWND list) { return IsWindow(list) ? static_cast<int>(Send(list, LB_GETCURSEL)) : -1; }
void ListBoxSelect(HWND list, int index) { Send(list, LB_SETCURSEL, index); }
std::wstring ListBoxItemText(HWND list, int index) { return ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index); }
LPARAM ListBoxItemData(HWND list, int index) { return Send(list, LB_GETITEMDATA, index); }
void ListBoxClear(HWND list) { Send(list, LB_RESETCONTENT); }

int ComboAdd(HWND combo, const std::wstring& text) {
  return static_cast<int>(Send(combo, CB_ADDSTRING, 0, TextParam(text)));
}
int ComboSelection(HWND combo) { return IsWindow(combo) ? static_cast<int>(Send(combo, CB_GETCURSEL)) : -1; }
void ComboClear(HWND combo) { Send(combo, CB_RESETCONTENT); }
void ComboSelect(HWND combo, int index) { Send(combo, CB_SETCURSEL, index); }

int ListViewInsertColumn(HWND view, int index, const std::wstring& title, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  column.iSubItem = index;
  return static_cast<int>(Send(view, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}
int ListViewInsertItem(HWND view, int index, const std::wstring& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return IsWindow(view) ? static_cast<int>(Send(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item))) : -1;
}
void ListViewSetItemText(HWND view, int itemIndex, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  Send(view, LVM_SETITEMTEXTW, itemIndex, reinterpret_cast<LPARAM>(&item));
}
std::wstring ListViewItemText(HWND view, int itemIndex, int column) {
  std::vector<wchar_t> buffer(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  LRESULT length = Send(view, LVM_GETITEMTEXTW, itemIndex, reinterpret_cast<LPARAM>(&item));
  return std::wstring(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}
void ListViewClear(HWND view) { Send(view, LVM_DELETEALLITEMS); }

HTREEITEM TreeViewInsertItem(HWND tree, HTREEITEM parent, const std::wstring& text, LPARAM data) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(Send(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool OpenClipboardPatiently(HWND owner) {
  // Another program (Wine's own clipboard bridge among them) may hold the
  // clipboard for a moment after each change; only one held longer fails.
  constexpr int kTries = 20;
  constexpr DWORD kPauseMs = 10;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kPauseMs);
  }
  return false;
}

namespace {

// One format's bytes, handed to the clipboard, which then owns them.
bool PlaceOnClipboard(UINT format, const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return false;
  bool placed = false;
  if (void* target = GlobalLock(memory)) {
    CopyMemory(target, bytes, size);
    GlobalUnlock(memory);
    placed = SetClipboardData(format, memory) != nullptr;
  }
  if (!placed) GlobalFree(memory);
  return placed;
}

bool PlaceText(const std::wstring& text) {
  return PlaceOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace

bool SetClipboardText(HWND owner, const std::wstring& text) {
  if (!OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool placed = PlaceText(text);
  CloseClipboard();
  return placed;
}

bool SetClipboardTextAndCsv(HWND owner, const std::wstring& text, const std::wstring& csv) {
  const int size = csv.empty() ? 0
                               : WideCharToMultiByte(CP_ACP, 0, csv.data(), static_cast<int>(csv.size()), nullptr, 0,
                                                     nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, csv.data(), static_cast<int>(csv.size()), bytes.data(), size, nullptr, nullptr);
  if (!OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool placed =
      PlaceText(text) && PlaceOnClipboard(RegisterClipboardFormatW(L"Csv"), bytes.c_str(), bytes.size() + 1);
  CloseClipboard();
  return placed;
}

std::wstring ClipboardBusyMessage(std::wstring_view what) {
  return L"The " + std::wstring(what) + L" could not be copied: another program is using the clipboard. Try again.";
}

std::wstring GetClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardPatiently(owner)) return {};
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Bounded by the block size: clipboard text is not always terminated.
      size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      size_t length = 0;
      while (length < capacity && chars[length]) ++length;
      text.assign(chars, length);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& fileName) {
  return FileDialog(false, owner, title, filter, defaultExtension, fileName);
}

std::wstring SaveFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& fileName) {
  return FileDialog(true, owner, title, filter, defaultExtension, fileName);
}

std::wstring GetWindowsVersionText() {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof(v);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v))) {
    v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v))) return {};
  }
#pragma GCC diagnostic pop
  switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT: return NtName(v.dwMajorVersion, v.dwMinorVersion);
    case VER_PLATFORM_WIN32_WINDOWS:
      if (v.dwMajorVersion == 4 && v.dwMinorVersion == 0) return L"Microsoft Windows 95 ";
      if (v.dwMajorVersion == 4 && v.dwMinorVersion == 10) return L"Microsoft Windows 98 ";
      if (v.dwMajorVersion == 4 && v.dwMinorVersion == 90) return L"Microsoft Windows Millennium Edition ";
      return L"Microsoft Windows ";
    case VER_PLATFORM_WIN32s: return L"Microsoft Win32s";
  }
  return {};
}

}  // namespace tallix::ui
