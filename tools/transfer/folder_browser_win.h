#pragma once
// The system's folder browser, rooted at the desktop, for file-system folders.
#include <windows.h>

#include <string>

namespace tallix::transfer {

// The chosen folder's path; empty when cancelled or when the choice is not a
// file-system folder.
std::wstring BrowseForFolder(HWND owner, const std::wstring& title);

}  // namespace tallix::transfer
