#pragma once
// Functions that Tallix.exe exports under their upper-case names, for the
// program itself and for anything that loads the executable's controls.
//
// Calling convention: WINAPI (__stdcall). On x86-64, the only target built,
// that is the single Microsoft x64 convention and names stay undecorated; a
// 32-bit build would need --kill-at to drop the @n suffixes. Handles and
// identifiers are pointer-sized; every other value is 32 bits.
//
// The definitions live in the tallix_ui static library; an executable must
// link it whole (see ui/CMakeLists.txt) or the linker drops these unreferenced
// exports.
#include <windows.h>

#define TALLIX_EXPORT extern "C" __declspec(dllexport)

// Themed push button, window class "TB_XPBUTTON". Returns 0 on failure. The
// last argument is accepted for compatibility and ignored.
TALLIX_EXPORT HWND WINAPI CREATEXPBUTTON(HWND parent, INT_PTR id, LPCWSTR caption, int x, int y, int width, int height,
                                         DWORD style, DWORD exStyle, LPARAM ignored);

// Image slots: 1 normal, 2 hot, 3 disabled; type 0 bitmap, 1 icon. With keep
// 0 the button owns (and eventually deletes) the image. Returns the slot's
// previous image, which is already deleted when the button owned it.
TALLIX_EXPORT HANDLE WINAPI TB_XPBUTTON_SETIMAGE(HWND button, HANDLE image, int type, int slot, BOOL redraw, BOOL keep);
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETIMAGEWIDTH(HWND button, int width, BOOL redraw);
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETIMAGEHEIGHT(HWND button, int height, BOOL redraw);
// Position flags: 1 left, 2 right, 4 horizontally centred on the button,
// 8 vertically centred, 32 bottom, 16 (with 4) text ignores the image; 4|8
// shows the image instead of the caption.
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETIMAGEPOS(HWND button, int flags, BOOL redraw);
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETIMAGEMARGIN(HWND button, int margin, BOOL redraw);
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETTEXTMARGIN(HWND button, int margin, BOOL redraw);
// With keep 0 the button owns the font. Returns the previous font, already
// deleted when the button owned it.
TALLIX_EXPORT HFONT WINAPI TB_XPBUTTON_SETFONT(HWND button, HFONT font, BOOL redraw, BOOL keep);
// Down (non-zero) or up; only toggle-mode buttons show it. Returns the
// previous state (-1 down, 0 up).
TALLIX_EXPORT int WINAPI TB_XPBUTTON_SETTOGGLESTATE(HWND button, int state, BOOL redraw);

// Not exported: makes a button a toggle button (flag non-zero) or a plain one.
// Returns the previous mode.
extern "C" int WINAPI TB_XPBUTTON_SETTOGGLEMODE(HWND button, int flag, BOOL redraw);

// Separator line, window class "FIRELINES"; the two last values are ignored.
// Settings change through the FireLines messages (ui/fire_lines.h).
TALLIX_EXPORT HWND WINAPI FIRELINES(HWND parent, INT_PTR id, int x, int y, int width, int height, LPARAM ignored1,
                                    LPARAM ignored2);
