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
//   tallix_probe loan-text ID         prints the text of control ID of the loan window
//   tallix_probe loan-rect ID         prints the screen centre of control ID of the loan window
//   tallix_probe loan-focus           prints the ID of the loan window's control with the focus
//   tallix_probe loan-names           prints the loan window's profile names, in list order
//   tallix_probe loan-rows            prints the loan window's schedule, a row a line, tab-separated
//
// Texts are written as UTF-8.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kDisplayId = 1011;
constexpr int kTapeId = 1014;
constexpr int kLoanNamesId = 1000;
constexpr int kLoanScheduleId = 1009;

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

// Every entry of a list box, first to last.
int PrintListBox(HWND tape) {
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs(
        "usage: tallix_probe wait|display|tape|rect ID|size|close\n"
        "                    loan-text ID|loan-rect ID|loan-focus|loan-names|loan-rows\n",
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
  if (command == L"tape") return PrintListBox(GetDlgItem(main, kTapeId));
  if (command == L"size") {
    RECT r{};
    GetClientRect(main, &r);
    std::printf("%ld %ld\n", r.right, r.bottom);
    return 0;
  }
  const int id = argc >= 3 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 0;
  if (command == L"rect" && argc >= 3) return PrintCentre(GetDlgItem(main, id));
  if (command.starts_with(L"loan-")) {
    HWND loan = FindWindowW(L"FORM_TALLIX_FORM4_CLASS", L"Loan Calculator");
    if (!loan) {
      std::fputs("tallix_probe: no loan window\n", stderr);
      return 1;
    }
    SendMessageTimeoutW(loan, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    if (command == L"loan-text" && argc >= 3) {
      PrintUtf8(WindowText(GetDlgItem(loan, id)));
      return 0;
    }
    if (command == L"loan-rect" && argc >= 3) return PrintCentre(GetDlgItem(loan, id));
    if (command == L"loan-focus") {
      GUITHREADINFO thread{};
      thread.cbSize = sizeof thread;
      if (!GetGUIThreadInfo(GetWindowThreadProcessId(loan, nullptr), &thread)) return 1;
      std::printf("%d\n", GetDlgCtrlID(thread.hwndFocus));
      return 0;
    }
    if (command == L"loan-names") return PrintListBox(GetDlgItem(loan, kLoanNamesId));
    if (command == L"loan-rows") return PrintListView(GetDlgItem(loan, kLoanScheduleId));
  }
  if (command == L"close") {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fputs("tallix_probe: unknown command\n", stderr);
  return 2;
}
