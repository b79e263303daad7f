#pragma once
// What the window benchmarks share: their start, a clock, the longest time
// the thread went without handling a message, and the bare list box loop they
// are measured against.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

namespace tallix::bench {

// The common controls, the arguments `[LINES] [RUNS]` and an empty scratch
// folder of `name` in the temporary folder.
struct Start {
  std::size_t lines = 0;
  int runs = 2;
  std::filesystem::path folder;
  std::filesystem::path program;  // the benchmark's own path: its results go beside it
};
inline Start StartBench(const wchar_t* name, std::size_t defaultLines) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  Start start;
  start.lines = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : defaultLines;
  start.runs = argc > 2 ? _wtoi(argv[2]) : 2;
  start.program = argv[0];
  LocalFree(argv);
  start.folder = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(start.folder);
  std::filesystem::create_directories(start.folder);
  return start;
}

inline double Seconds() {
  static LARGE_INTEGER frequency{};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The longest stretch without a timer tick while it lives: the time the
// window could not answer the user.
class LongestWithoutMessages {
 public:
  LongestWithoutMessages() : timer_(SetTimer(nullptr, 0, 10, Tick)) {
    last_ = bench::Seconds();
    longest_ = 0;
  }
  ~LongestWithoutMessages() { KillTimer(nullptr, timer_); }
  LongestWithoutMessages(const LongestWithoutMessages&) = delete;
  LongestWithoutMessages& operator=(const LongestWithoutMessages&) = delete;
  // Up to now, in seconds.
  double SoFar() const {
    Tick(nullptr, 0, 0, 0);
    return longest_;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const double now = bench::Seconds();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  static inline double last_ = 0, longest_ = 0;
  UINT_PTR timer_;
};

// The file the results go to, beside the benchmark (standard output if it
// cannot be made).
inline std::FILE* ResultsFile(const Start& start, const wchar_t* name) {
  std::FILE* out = _wfopen((start.program.parent_path() / name).c_str(), L"w");
  return out ? out : stdout;
}

// An empty list box of `like`'s styles and size, beside it.
inline HWND BareListLike(HWND like) {
  RECT r{};
  GetClientRect(like, &r);
  return CreateWindowExW(0, L"LISTBOX", L"", static_cast<DWORD>(GetWindowLongPtrW(like, GWL_STYLE)), 0, 0, r.right,
                         r.bottom, GetParent(like), nullptr, nullptr, nullptr);
}

// LB_ADDSTRING of `lines` with the list's drawing held back, in seconds.
inline double BareAdd(HWND list, const std::vector<std::wstring>& lines) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const double start = Seconds();
  for (const std::wstring& line : lines) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const double took = Seconds() - start;
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return took;
}

}  // namespace tallix::bench
