#pragma once
// Thin helpers over the usual control messages, shared by every form. Each
// one does nothing (and answers 0, false or empty text) when the handle is not
// a live window.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace tallix::ui {

// ---- any window ----
void SetText(HWND window, const std::wstring& text);
std::wstring GetText(HWND window);
void EnableControl(HWND window);
void DisableControl(HWND window);
void FocusControl(HWND window);
void MoveControl(HWND window, int x, int y);
void ResizeControl(HWND window, int width, int height);
// Outer size that gives the client area width x height for the window's
// style, menu (however many lines its bar takes) and scroll bars; position,
// z-order and activation unchanged.
void SetClientSize(HWND window, int width, int height);

// ---- check boxes and radio buttons ----
void SetChecked(HWND button, bool checked);
int IsChecked(HWND button);  // -1 checked, 0 not

// ---- list box ----
int ListBoxAdd(HWND list, const std::wstring& text);
int ListBoxDelete(HWND list, int index);
int ListBoxFind(HWND list, const std::wstring& text);  // exact, case-insensitive; -1 none
int ListBoxCount(HWND list);
int ListBoxSelection(HWND list);
void ListBoxSelect(HWND list, int index);
std::wstring ListBoxItemText(HWND list, int index);
LPARAM ListBoxItemData(HWND list, int index);
void ListBoxClear(HWND list);

// ---- combo box ----
int ComboAdd(HWND combo, const std::wstring& text);
int ComboSelection(HWND combo);
void ComboClear(HWND combo);
void ComboSelect(HWND combo, int index);

// ---- list view (report mode) ----
int ListViewInsertColumn(HWND view, int index, const std::wstring& title, int width, int format = LVCFMT_LEFT);
int ListViewInsertItem(HWND view, int index, const std::wstring& text);
void ListViewSetItemText(HWND view, int item, int column, const std::wstring& text);
std::wstring ListViewItemText(HWND view, int item, int column);
void ListViewClear(HWND view);

// ---- tree view ----
// Adds an item after the last child of parent (TVI_ROOT: at the top level).
HTREEITEM TreeViewInsertItem(HWND tree, HTREEITEM parent, const std::wstring& text, LPARAM data);

// ---- clipboard ----
// The clipboard opened for owner, waiting out a moment's hold by another
// program; false when it stays held.
bool OpenClipboardPatiently(HWND owner);
// False when another program holds the clipboard (or memory ran out); the
// clipboard then keeps what it had.
bool SetClipboardText(HWND owner, const std::wstring& text);
std::wstring GetClipboardText(HWND owner);  // empty when the clipboard holds no text
// Text and comma-separated values (the registered "Csv" format, bytes in the
// system's ANSI code page as spreadsheets read it) at once, for a paste to
// take the one it reads best. False as for SetClipboardText.
bool SetClipboardTextAndCsv(HWND owner, const std::wstring& text, const std::wstring& csv);
// What the user is told when `what` ("display", "tape") could not be put on
// the clipboard.
std::wstring ClipboardBusyMessage(std::wstring_view what);

// ---- file dialogs: the chosen path, or empty text when cancelled ----
// filter pairs are separated by '|': L"Text files|*.txt|All files|*.*".
std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& fileName);
std::wstring SaveFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& fileName);

// ---- system ----
// Operating-system name such as "Microsoft Windows XP ", without the edition:
// callers test only its beginning.
std::wstring GetWindowsVersionText();

}  // namespace tallix::ui
