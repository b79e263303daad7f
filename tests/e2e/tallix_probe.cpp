// Reads a running Tallix main window from another process, the way an
// accessibility tool would: only through cross-process window messages.
// Wide-character messages are used throughout because Wine garbles the ANSI
// ones across processes.
//
//   tallix_probe wait                 waits until the main window is idle
//   tallix_probe display              prints the display text
//   tallix_probe tape                 prints every tape line
//   tallix_probe tape FIRST COUNT     prints the tape's line count, then COUNT lines
//                                     from line FIRST (from 0; negative counts from
//                                     the end): a long tape read whole is too slow
//   tallix_probe line N               prints the screen centre of tape line N (from 0)
//   tallix_probe size                 prints the main window's client size
//   tallix_probe close                asks the main window to close
//   tallix_probe foreign              shows and activates a window of its own for a
//                                     second, as another program would
//   tallix_probe clipboard            prints the clipboard's text
//   tallix_probe clipboard csv        prints its "Csv" format's lines (ANSI code page)
//   tallix_probe exists CLASS         prints 1 while a window of the class exists, else 0
//   tallix_probe focus CLASS          prints the ID of that window's control with the focus
// and for control ID of the main window, or of the window of class CLASS:
//   tallix_probe rect ID [CLASS]      prints its screen centre
//   tallix_probe text ID [CLASS]      prints its text
//   tallix_probe tree ID [CLASS]      prints a tree view's top-left (screen) and item height
//   tallix_probe listbox ID [CLASS]   prints a list box's entries, first to last
//   tallix_probe listview ID [CLASS]  prints a list view's rows, tab-separated
//   tallix_probe transfer             prints the transfer test window's fields
//   tallix_probe browse PATH          selects PATH in the open folder browser
//
// Texts are written as UTF-8.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

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

int PrintCentre(HWND control) {
  if (!control) return 1;
  RECT r{};
  GetWindowRect(control, &r);
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return 0;
}

// A list view's item texts live in its own process: the request and the
// buffer are placed there, and the answer read back.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t bytes) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool ok() const { return memory_ != nullptr; }
  char* address() const { return static_cast<char*>(memory_); }
  bool Write(std::size_t offset, const void* data, std::size_t size) {
    return WriteProcessMemory(process_, address() + offset, data, size, nullptr);
  }
  bool Read(std::size_t offset, void* data, std::size_t size) {
    return ReadProcessMemory(process_, address() + offset, data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

int PrintListView(HWND view) {
  constexpr std::size_t kTextChars = 256;
  RemoteBuffer remote(view, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!remote.ok()) return 1;
  const LRESULT count = SendMessageW(view, LVM_GETITEMCOUNT, 0, 0);
  const HWND header = reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0));
  const LRESULT columns = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    std::wstring line;
    for (LRESULT column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = static_cast<int>(column);
      item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
      item.cchTextMax = kTextChars;
      std::vector<wchar_t> text(kTextChars, L'\0');
      if (!remote.Write(0, &item, sizeof item)) return 1;
      SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.address()));
      if (!remote.Read(sizeof(LVITEMW), text.data(), kTextChars * sizeof(wchar_t))) return 1;
      if (column > 0) line += L'\t';
      line += text.data();
    }
    PrintUtf8(line);
  }
  return 0;
}

// The entries of a list box from `first` on, at most `most` of them.
int PrintListBox(HWND tape, LRESULT first = 0, LRESULT most = -1) {
  LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
  const LRESULT end = most < 0 ? count : std::min(count, first + most);
  for (LRESULT i = std::max<LRESULT>(first, 0); i < end; ++i) {
    LRESULT length = SendMessageW(tape, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) return 1;
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(tape, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    PrintUtf8(line);
  }
  return 0;
}

// The window of class CLASS, once it is idle; nullptr when there is none.
HWND WindowOfClass(const wchar_t* className) {
  HWND window = FindWindowW(className, nullptr);
  DWORD_PTR ignored = 0;
  if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  return window;
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
  // A selection made while the browser still fills its tree can be lost, on a
  // loaded machine for seconds: made again until its edit box names the
  // folder twice in a row, for 30 s at most.
  HWND edit = FindWindowExW(browser, nullptr, L"Edit", nullptr);
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  int seen = 0;
  for (int attempt = 0; written && seen < 2 && attempt < 300; ++attempt) {
    DWORD_PTR ignored = 0;
    if (seen == 0) {
      SendMessageTimeoutW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                          &ignored);
    }
    Sleep(100);
    const std::wstring shown = edit ? WindowText(edit) : name;
    // A drive is shown by a name of the system's own.
    const bool named =
        name.empty() ? !shown.empty() && shown != L"Desktop" : _wcsicmp(shown.c_str(), name.c_str()) == 0;
    seen = named ? seen + 1 : 0;
  }
  const bool selected = seen >= 2;
  if (remote) VirtualFreeEx(target, remote, 0, MEM_RELEASE);
  CloseHandle(target);
  return selected ? 0 : 1;
}

// The clipboard's text, or its "Csv" bytes read in the ANSI code page; the
// text's CR LF ends printed as LF.
int PrintClipboard(bool csv) {
  if (!OpenClipboard(nullptr)) return 1;
  std::wstring text;
  if (HANDLE data = GetClipboardData(csv ? RegisterClipboardFormatW(L"Csv") : CF_UNICODETEXT)) {
    if (const void* block = GlobalLock(data)) {
      if (csv) {
        const char* bytes = static_cast<const char*>(block);
        const int size = static_cast<int>(strnlen(bytes, GlobalSize(data)));
        text.resize(static_cast<size_t>(size));
        text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes, size, text.data(), size)));
      } else {
        text = static_cast<const wchar_t*>(block);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
  PrintUtf8(text);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs(
        "usage: tallix_probe wait|display|tape|line N|size|close|foreign|transfer|exists CLASS|focus CLASS\n"
        "                    browse PATH|rect|text|tree|listbox|listview ID [CLASS]\n",
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
  if (command == L"tape" && argc >= 4) {
    HWND tape = GetDlgItem(main, kTapeId);
    const LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    LRESULT first = std::wcstol(argv[2], nullptr, 10);
    if (first < 0) first += count;
    std::printf("%ld\n", static_cast<long>(count));
    return PrintListBox(tape, first, std::wcstol(argv[3], nullptr, 10));
  }
  if (command == L"tape") return PrintListBox(GetDlgItem(main, kTapeId));
  if (command == L"line" && argc >= 3) {
    HWND tape = GetDlgItem(main, kTapeId);
    RECT r{};
    if (SendMessageW(tape, LB_GETITEMRECT, std::wcstoul(argv[2], nullptr, 10), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      return 1;
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tape, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
  }
  if (command == L"clipboard") return PrintClipboard(argc >= 3);
  if (command == L"size") {
    RECT r{};
    GetClientRect(main, &r);
    std::printf("%ld %ld\n", r.right, r.bottom);
    return 0;
  }
  // The other commands name a control of the main window, or of the window of
  // class CLASS once it is idle too.
  if (argc < 3) {
    if (command == L"foreign") return ShowForeignWindow();
    if (command == L"transfer") {
      HWND window = WindowOfClass(L"FORM_TALLIX_FTS1_CLASS");
      return window ? PrintTransfer(window) : 1;
    }
    if (command == L"close") {
      PostMessageW(main, WM_CLOSE, 0, 0);
      return 0;
    }
    std::fputs("tallix_probe: unknown command\n", stderr);
    return 2;
  }
  if (command == L"browse") return SelectInFolderBrowser(argv[2]);
  if (command == L"exists") {
    std::printf("%d\n", FindWindowW(argv[2], nullptr) ? 1 : 0);
    return 0;
  }
  if (command == L"focus") {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    HWND window = WindowOfClass(argv[2]);
    if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return 1;
    std::printf("%d\n", GetDlgCtrlID(thread.hwndFocus));
    return 0;
  }
  HWND window = argc > 3 ? WindowOfClass(argv[3]) : main;
  HWND control = window ? GetDlgItem(window, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : nullptr;
  if (!control) {
    std::fputs("tallix_probe: no such control\n", stderr);
    return 1;
  }
  if (command == L"rect") return PrintCentre(control);
  if (command == L"text") {
    PrintUtf8(WindowText(control));
    return 0;
  }
  if (command == L"listbox") return PrintListBox(control);
  if (command == L"listview") return PrintListView(control);
  if (command == L"tree") {
    RECT r{};
    GetWindowRect(control, &r);
    std::printf("%ld %ld %ld\n", r.left, r.top, static_cast<long>(SendMessageW(control, TVM_GETITEMHEIGHT, 0, 0)));
    return 0;
  }
  std::fputs("tallix_probe: unknown command\n", stderr);
  return 2;
}
