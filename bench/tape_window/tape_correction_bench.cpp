// A number corrected on a tape of LINES (100,000) lines in the real main
// window, against the list box work alone: LB_ADDSTRING of the same lines
// into a list box of the tape's styles. Two tapes: one whose totals end what
// a corrected number changes, one whose totals go into memory, so that a
// correction changes the calculator to the end of the tape. On each, a
// number in the middle is corrected, and the first one. Also how long, at
// most, the window went without handling its messages during each.
//
//   tape_correction_bench.exe [LINES] [RUNS]   (prints to tape_correction_bench.txt beside it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_correction.h"
#include "bench/tape_window/window_bench.h"
#include "engine/basic_host.h"
#include "engine/deferred_host.h"
#include "engine/entry_correction.h"
#include "engine/memory_settings.h"
#include "side_window/wide_text.h"
#include "ui/utf8_text.h"

namespace {

using tallix::MainWindowContext;
using tallix::bench::BareAdd;
using tallix::bench::Seconds;

// An adding-machine session of `lines` tape lines: numbers added, a total
// every twenty, and with `intoMemory` each total added to memory, so that a
// corrected number changes the calculator to the end of the tape. Typed in
// memory, then put on the window as a correction would put it, so that the
// window's engine holds its record.
void TypeLongTape(MainWindowContext& main, std::size_t lines, bool intoMemory) {
  tallix::BasicEngineHost host;
  tallix::MemorySettings settings;
  tallix::Engine typing(host, settings);
  tallix::EngineSettings start;
  start.calcMode = 1;
  typing.Start(start);
  host.tape.clear();
  for (std::size_t n = 1; host.tape.size() < lines; ++n) {
    for (const char digit : std::to_string(n * 37 % 100000 + 1)) {
      typing.PressKey(static_cast<tallix::Key>(static_cast<int>(tallix::Key::D0) + (digit - '0')));
    }
    typing.PressKey(n % 20 ? tallix::Key::Plus : tallix::Key::Equals);
    if (intoMemory && n % 20 == 0) typing.PressKey(tallix::Key::MemoryAdd);
  }
  HWND list = GetDlgItem(main.Owner(), tallix::ids::kTapeList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  tallix::DeferredHost deferred(main.CalculatorHost(), 0);
  main.CalculatorEngine().Replay(typing.record(), {.afterInput = {}, .via = &deferred});
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (const std::string& line : deferred.Lines()) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tallix::Wide(line).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  deferred.ShowOnTarget();
}

struct Timed {
  double seconds = 0, longestGap = 0;
};

Timed Correct(MainWindowContext& main, std::size_t which, const char* value) {
  const tallix::bench::LongestWithoutMessages quiet;
  const double start = Seconds();
  if (!tallix::CorrectTypedNumber(main, which, value)) std::abort();
  return {Seconds() - start, quiet.SoFar()};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const tallix::bench::Start start = tallix::bench::StartBench(L"tallix_tape_correction_bench", 100000);
  const std::filesystem::path& folder = start.folder;
  MainWindowContext* main = tallix::CreateMainWindow(tallix::file_io::Utf8FromWide((folder / L"Tallix.ini").wstring()));
  if (!main) return 1;
  HWND tapeList = GetDlgItem(main->Owner(), tallix::ids::kTapeList);
  std::FILE* out = tallix::bench::ResultsFile(start, L"tape_correction_bench.txt");

  for (const bool intoMemory : {false, true}) {
    TypeLongTape(*main, start.lines, intoMemory);
    const std::size_t numbers = tallix::EnteredNumbers(main->CalculatorEngine().record()).size();
    std::vector<std::wstring> wide;
    for (const std::string& line : main->TapeLines()) wide.push_back(tallix::ui::ShownText(line));
    std::fprintf(out, "%zu lines, %zu typed numbers, a total every 20%s\n", wide.size(), numbers,
                 intoMemory ? " added to memory" : "");

    for (int run = 0; run < start.runs; ++run) {
      // Wine's heap remembers the lists before: every other run starts with Tallix.
      double bareAdd = 0;
      Timed middle, first;
      const auto bareLoop = [&] {
        HWND bare = tallix::bench::BareListLike(tapeList);
        bareAdd = BareAdd(bare, wide);
        DestroyWindow(bare);
      };
      const auto corrections = [&] {
        middle = Correct(*main, numbers / 2, run % 2 ? "1234" : "4321");
        tallix::UndoCorrection(*main);
        first = Correct(*main, 0, run % 2 ? "5" : "6");
        tallix::UndoCorrection(*main);
      };
      if (run % 2) {
        corrections();
        bareLoop();
      } else {
        bareLoop();
        corrections();
      }
      std::fprintf(out,
                   "run %d: bare LB_ADDSTRING %.3f s; correction in the middle %.3f s (ratio %.2f, longest without "
                   "messages %.3f s); of the first number %.3f s (ratio %.2f, longest without messages %.3f s)\n",
                   run + 1, bareAdd, middle.seconds, middle.seconds / bareAdd, middle.longestGap, first.seconds,
                   first.seconds / bareAdd, first.longestGap);
      std::fflush(out);
    }
  }
  DestroyWindow(main->Owner());
  std::filesystem::remove_all(folder);
  return 0;
}
