// Reads a running Tallix main window from another process, the way an
// accessibility tool would: only through cross-process window messages.
// Wide-character messages are used throughout because Wine garbles the ANSI
// ones across processes.
//
//   tallix_probe wait                 waits until the main window is idle
//   tallix_probe display              prints the display text
//   tallix_probe tape                 prints every tape line
//   tallix_probe rect ID              prints the screen centre of control ID
//   tallix_probe size                 prints the main window's client size
//   tallix_probe close                asks the main window to close
//   tallix_probe transfer             prints the transfer test window's fields
//   tallix_probe transfer-rect ID     prints the screen centre of its control ID
//   tallix_probe browse PATH          selects PATH in the open folder browser
//
// Texts are written as UTF-8.

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

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

HWND FindTransferWindow() {
  return FindWindowW(L"FORM_TALLIX_FTS1_CLASS", L"File Transfer / Network Performance Calculator");
}

// One "name: text" line for each field; a column's five fields joined by "|".
int PrintTransfer(HWND window) {
  const auto field = [window](int id) { return WindowText(GetDlgItem(window, id)); };
  const auto column = [&](int first) {
    std::wstring text;
    for (int row = 0; row < 5; ++row) text += (row ? L"|" : L"") + field(first + row);
    return text;
  };
  PrintUtf8(L"computer: " + field(1003));
  PrintUtf8(L"address: " + field(1005));
  PrintUtf8(L"folder: " + field(1007));
  PrintUtf8(L"writing: " + column(1015));
  PrintUtf8(L"reading: " + column(1020));
  PrintUtf8(L"note: " + field(1027));
  PrintUtf8(L"status: " + field(1026));
  std::wstring enabled;
  for (int id : {1000, 1001, 2}) enabled += IsWindowEnabled(GetDlgItem(window, id)) ? L"1" : L"0";
  PrintUtf8(L"start, print, exit enabled: " + enabled);
  return 0;
}

// The folder browser takes the path in its own memory, so it is written there.
int SelectInFolderBrowser(const std::wstring& path) {
  HWND browser = nullptr;
  for (int attempt = 0; attempt < 100 && !browser; ++attempt, Sleep(50))
    browser = FindWindowW(nullptr, L"Browse for Folder");
  DWORD process = 0;
  if (!browser || !GetWindowThreadProcessId(browser, &process)) return 1;
  HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
  if (!target) return 1;
  const SIZE_T bytes = (path.size() + 1) * sizeof(wchar_t);
  void* remote = VirtualAllocEx(target, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(target, remote, path.c_str(), bytes, nullptr);
  // A selection made while the browser still fills its tree can be lost:
  // made again until its edit box names something other than the desktop.
  HWND edit = FindWindowExW(browser, nullptr, L"Edit", nullptr);
  bool selected = false;
  for (int attempt = 0; written && !selected && attempt < 50; ++attempt) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    Sleep(100);
    const std::wstring shown = edit ? WindowText(edit) : L"";
    selected = !edit || (!shown.empty() && shown != L"Desktop");
  }
  if (remote) VirtualFreeEx(target, remote, 0, MEM_RELEASE);
  CloseHandle(target);
  return selected ? 0 : 1;
}

void PrintCentre(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: tallix_probe wait|display|tape|rect ID|size|close|transfer|transfer-rect ID|browse PATH\n",
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
  if ((command == L"rect" || command == L"transfer-rect") && argc >= 3) {
    HWND window = command == L"rect" ? main : FindTransferWindow();
    HWND control = GetDlgItem(window, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    if (!window || !control) return 1;
    PrintCentre(control);
    return 0;
  }
  if (command == L"transfer") {
    HWND window = FindTransferWindow();
    return window ? PrintTransfer(window) : 1;
  }
  if (command == L"browse" && argc >= 3) return SelectInFolderBrowser(argv[2]);
  if (command == L"close") {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fputs("tallix_probe: unknown command\n", stderr);
  return 2;
}
