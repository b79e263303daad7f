// A million-line tape through the main window's own Save and Load against the
// list box work alone: LB_ADDSTRING of the same lines into a list box of the
// tape's styles, and LB_GETTEXT of them back. Also how long, at most, the
// window went without handling its messages during the load.
//
//   tape_window_bench.exe [LINES] [RUNS]   (prints to tape_window_bench.txt beside it)
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_commands.h"
#include "app/tape/tape_file.h"
#include "ui/utf8_text.h"

namespace {

using tallix::MainWindowContext;

double Seconds() {
  static LARGE_INTEGER frequency{};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The longest stretch without a timer tick while a load runs: the time the
// window could not answer the user.
double g_lastTick = 0, g_longestGap = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const double now = Seconds();
  if (g_lastTick) g_longestGap = std::max(g_longestGap, now - g_lastTick);
  g_lastTick = now;
}

std::vector<std::string> TapeOf(std::size_t count) {
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) lines.push_back(std::to_string(i * 7) + (i % 5 ? " +" : " ="));
  return lines;
}

double BareAdd(HWND list, const std::vector<std::wstring>& lines) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const double start = Seconds();
  for (const std::wstring& line : lines) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const double took = Seconds() - start;
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return took;
}

double BareRead(HWND list, std::size_t count) {
  const double start = Seconds();
  std::vector<std::wstring> lines(count);
  for (std::size_t i = 0; i < count; ++i) {
    lines[i].resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)));
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(lines[i].data()));
  }
  return Seconds() - start;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::size_t count = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 1000000;
  const int runs = argc > 2 ? _wtoi(argv[2]) : 2;

  const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"tallix_tape_window_bench";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string tapePath = tallix::ui::WideToUtf8((folder / L"tape.txt").wstring());
  const std::string savedPath = tallix::ui::WideToUtf8((folder / L"saved.txt").wstring());
  const std::vector<std::string> tape = TapeOf(count);
  tallix::SaveTapeFile(tapePath, tape, "0", 0, tallix::TapeStamp{});
  std::vector<std::wstring> wide;
  for (const std::string& line : tape) wide.push_back(tallix::ui::Utf8ToWide(line));

  MainWindowContext* main = tallix::CreateMainWindow(tallix::ui::WideToUtf8((folder / L"Tallix.ini").wstring()));
  if (!main) return 1;
  HWND tapeList = GetDlgItem(main->Owner(), tallix::ids::kTapeList);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(tapeList, GWL_STYLE));
  std::FILE* out = _wfopen((std::filesystem::path(argv[0]).parent_path() / L"tape_window_bench.txt").c_str(), L"w");
  if (!out) out = stdout;
  std::fprintf(out, "%zu lines\n", count);

  for (int run = 0; run < runs; ++run) {
    // Wine's heap remembers the lists before: every other run starts with Tallix.
    double bareAdd = 0, bareRead = 0, load = 0, save = 0;
    const auto bareLoops = [&] {
      HWND bare = CreateWindowExW(0, L"LISTBOX", L"", style, 0, 0, 224, 254, main->Owner(), nullptr, nullptr, nullptr);
      bareAdd = BareAdd(bare, wide);
      bareRead = BareRead(bare, count);
      DestroyWindow(bare);
    };
    const auto tallixLoadAndSave = [&] {
      SendMessageW(tapeList, LB_RESETCONTENT, 0, 0);
      g_lastTick = g_longestGap = 0;
      const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
      const double loadStart = Seconds();
      g_lastTick = loadStart;
      tallix::LoadTapeFrom(*main, tapePath);
      load = Seconds() - loadStart;
      Tick(nullptr, 0, 0, 0);
      KillTimer(nullptr, timer);

      const double saveStart = Seconds();
      tallix::SaveTapeFile(savedPath, main->TapeLines(), "0", 0, tallix::TapeStamp{});
      save = Seconds() - saveStart;
      SendMessageW(tapeList, LB_RESETCONTENT, 0, 0);
    };
    if (run % 2) {
      tallixLoadAndSave();
      bareLoops();
    } else {
      bareLoops();
      tallixLoadAndSave();
    }

    std::fprintf(out,
                 "run %d: load %.3f s (bare LB_ADDSTRING %.3f s, ratio %.2f), longest without messages %.3f s; "
                 "save %.3f s (bare LB_GETTEXT %.3f s, ratio %.2f)\n",
                 run + 1, load, bareAdd, load / bareAdd, g_longestGap, save, bareRead, save / bareRead);
    std::fflush(out);
  }
  DestroyWindow(main->Owner());
  std::filesystem::remove_all(folder);
  return 0;
}
