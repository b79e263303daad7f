#pragma once
// The system's folder browser, rooted at the desktop, for file-system folders.
#include <windows.h>

#include <string>

namespace tallix::transfer {

// The chosen folder's path; empty when cancelled or when the choice is not a
// file-system folder. The browser is modal to `owner`; while it is open
// `*shown` (when given) holds its window, so that the owner can cancel it.
std::wstring BrowseForFolder(HWND owner, const std::wstring& title, HWND* shown = nullptr);

}  // namespace tallix::transfer
