// Reads a running Tallix main window from another process, the way an
// accessibility tool would: only through cross-process window messages.
// Wide-character messages are used throughout because Wine garbles the ANSI
// ones across processes.
//
//   tallix_probe wait                 waits until the main window is idle
//   tallix_probe display              prints the display text
//   tallix_probe tape                 prints every tape line
//   tallix_probe rect ID [CLASS]      prints the screen centre of control ID (of
//                                     the window of class CLASS if given)
//   tallix_probe text ID CLASS        prints the text of that control
//   tallix_probe exists CLASS         prints 1 while a window of the class exists, else 0
//   tallix_probe tree ID CLASS        prints the tree view's top-left (screen) and item height
//   tallix_probe foreign              shows and activates a window of its own for a
//                                     second, as another program would
//   tallix_probe size                 prints the main window's client size
//   tallix_probe close                asks the main window to close
//
// Texts are written as UTF-8.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

// After windows.h, which it needs.
#include <commctrl.h>

namespace {

constexpr int kDisplayId = 1011;
constexpr int kTapeId = 1014;

HWND FindMainWindow() {
  for (int attempt = 0; attempt < 300; ++attempt) {
    HWND window = FindWindowW(L"FORM_TALLIX_FORM1_CLASS", L"Tallix");
    if (window) return window;
    Sleep(50);
  }
  return nullptr;
}

void PrintUtf8(const std::wstring& text) {
  int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fputc('\n', stdout);
}

std::wstring WindowText(HWND control) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

int PrintTape(HWND tape) {
  LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(tape, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) return 1;
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(tape, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    PrintUtf8(line);
  }
  return 0;
}

// Control ID (argument 2) of the window of class CLASS (argument 3), or of
// the main window when no class is named.
HWND ControlOf(HWND main, int argc, wchar_t** argv) {
  HWND window = argc > 3 ? FindWindowW(argv[3], nullptr) : main;
  return GetDlgItem(window, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
}

// Another process's window taking the activation away from Tallix.
int ShowForeignWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"Probe", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 80, 40, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  for (int i = 0; i < 20; ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(50);
  }
  DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs(
        "usage: tallix_probe wait|display|tape|rect ID [CLASS]|text ID CLASS|exists CLASS|tree ID CLASS|\n"
        "                    foreign|size|close\n",
        stderr);
    return 2;
  }
  HWND main = FindMainWindow();
  if (!main) {
    std::fputs("tallix_probe: no Tallix main window\n", stderr);
    return 1;
  }
  std::wstring command = argv[1];
  DWORD_PTR ignored = 0;
  // A message answered means the window's thread is pumping again: idle.
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  if (command == L"wait") return 0;
  if (command == L"display") {
    PrintUtf8(WindowText(GetDlgItem(main, kDisplayId)));
    return 0;
  }
  if (command == L"tape") return PrintTape(GetDlgItem(main, kTapeId));
  if (command == L"size") {
    RECT r{};
    GetClientRect(main, &r);
    std::printf("%ld %ld\n", r.right, r.bottom);
    return 0;
  }
  if (command == L"rect" && argc >= 3) {
    HWND control = ControlOf(main, argc, argv);
    if (!control) return 1;
    RECT r{};
    GetWindowRect(control, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
  }
  if (command == L"text" && argc >= 4) {
    PrintUtf8(WindowText(ControlOf(main, argc, argv)));
    return 0;
  }
  if (command == L"exists" && argc >= 3) {
    std::printf("%d\n", FindWindowW(argv[2], nullptr) ? 1 : 0);
    return 0;
  }
  if (command == L"tree" && argc >= 4) {
    HWND tree = ControlOf(main, argc, argv);
    if (!tree) return 1;
    RECT r{};
    GetWindowRect(tree, &r);
    std::printf("%ld %ld %ld\n", r.left, r.top, static_cast<long>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0)));
    return 0;
  }
  if (command == L"foreign") return ShowForeignWindow();
  if (command == L"close") {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fputs("tallix_probe: unknown command\n", stderr);
  return 2;
}
