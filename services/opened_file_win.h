#pragma once
// What a handle of a file Tallix names itself has really opened. Wine opens
// what a Unix symbolic link points to and shows no reparse point for it, but
// names the file it opened by that file's own path: comparing the two is how
// a link is told apart there.
#include <windows.h>

#include <string>

namespace tallix {

// Whether the file `handle` has open is known to be the one named `path` in
// its folder, rather than one a link led to: false too when the system will
// not name either of them, as it cannot then tell a link from the file.
bool OpenedAsNamed(HANDLE handle, const std::wstring& path);

}  // namespace tallix
