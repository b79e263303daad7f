// A million-line tape through the main window's own Save and Load against the
// list box work alone: LB_ADDSTRING of the same lines into a list box of the
// tape's styles, and LB_GETTEXT of them back. Also how long, at most, the
// window went without handling its messages during the load; and the find
// box's Find Next of the loaded tape's last number (the empty line a loaded
// tape ends with comes after it), typed without its symbol, against a bare
// loop that looks for that text in each of the tape's lines.
//
//   tape_window_bench.exe [LINES] [RUNS]   (prints to tape_window_bench.txt beside it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/find_box.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_commands.h"
#include "app/tape/tape_file.h"
#include "app/tape/tape_find.h"
#include "bench/tape_window/window_bench.h"
#include "ui/utf8_text.h"

namespace {

using tallix::MainWindowContext;
using tallix::bench::BareAdd;
using tallix::bench::Seconds;

std::vector<std::string> TapeOf(std::size_t count) {
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) lines.push_back(std::to_string(i * 7) + (i % 5 ? " +" : " ="));
  return lines;
}

// Find Next in the find box, its text `wanted`, from the top: the fastest of
// five, in seconds, and whether it marked line `line`.
std::pair<double, bool> FindInBox(MainWindowContext& main, const std::string& wanted, std::size_t line) {
  tallix::OpenFindBox(main);
  HWND box = FindWindowW(L"FORM_TALLIX_FINDBOX_CLASS", nullptr);
  constexpr int kText = 1001, kFindNext = 1003;
  SetWindowTextW(GetDlgItem(box, kText), std::wstring(wanted.begin(), wanted.end()).c_str());
  const double start = Seconds();
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(kFindNext, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, kFindNext)));
  const double seconds = Seconds() - start;
  const bool marked = main.MarkedTapeLine() == line;
  DestroyWindow(box);
  return {seconds, marked};
}

// The search alone, without the box and the list's scrolling: the fastest of five.
double SearchAlone(const std::vector<std::string>& lines, const std::string& wanted) {
  double seconds = 1e300;
  for (int run = 0; run < 5; ++run) {
    const double start = Seconds();
    const tallix::TapeQuery query(wanted);
    const auto found = tallix::FindOnTape(lines, 10, query, std::nullopt, true);
    seconds = std::min(seconds, Seconds() - start);
    if (!found) return -1;
  }
  return seconds;
}

// The fastest of five, as for the box; -1 when the loop stops elsewhere.
double BareFind(const std::vector<std::string>& lines, const std::string& wanted, std::size_t line) {
  double seconds = 1e300;
  std::size_t at = 0;
  for (int run = 0; run < 5; ++run) {
    const double start = Seconds();
    at = 0;
    while (at < lines.size() && lines[at].find(wanted) == std::string::npos) ++at;
    seconds = std::min(seconds, Seconds() - start);
  }
  return at == line ? seconds : -1;
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
  const tallix::bench::Start start = tallix::bench::StartBench(L"tallix_tape_window_bench", 1000000);
  const std::size_t count = start.lines;
  const std::filesystem::path& folder = start.folder;
  const std::string tapePath = tallix::file_io::Utf8FromWide((folder / L"tape.txt").wstring());
  const std::string savedPath = tallix::file_io::Utf8FromWide((folder / L"saved.txt").wstring());
  const std::vector<std::string> tape = TapeOf(count);
  tallix::SaveTapeFile(tapePath, tape, "0", 0, tallix::TapeStamp{});
  std::vector<std::wstring> wide;
  for (const std::string& line : tape) wide.push_back(tallix::ui::ShownText(line));

  MainWindowContext* main = tallix::CreateMainWindow(tallix::file_io::Utf8FromWide((folder / L"Tallix.ini").wstring()));
  if (!main) return 1;
  HWND tapeList = GetDlgItem(main->Owner(), tallix::ids::kTapeList);
  std::FILE* out = tallix::bench::ResultsFile(start, L"tape_window_bench.txt");
  std::fprintf(out, "%zu lines\n", count);

  for (int run = 0; run < start.runs; ++run) {
    // Wine's heap remembers the lists before: every other run starts with Tallix.
    double bareAdd = 0, bareRead = 0, load = 0, save = 0, longestGap = 0, find = 0, bareFind = 0, search = 0;
    bool foundLast = false;
    const auto bareLoops = [&] {
      HWND bare = tallix::bench::BareListLike(tapeList);
      bareAdd = BareAdd(bare, wide);
      bareRead = BareRead(bare, count);
      DestroyWindow(bare);
    };
    const auto tallixLoadAndSave = [&] {
      SendMessageW(tapeList, LB_RESETCONTENT, 0, 0);
      {
        const tallix::bench::LongestWithoutMessages quiet;
        const double loadStart = Seconds();
        tallix::LoadTapeFrom(*main, tapePath);
        load = Seconds() - loadStart;
        longestGap = quiet.SoFar();
      }

      const double saveStart = Seconds();
      tallix::SaveTapeFile(savedPath, main->TapeLines(), "0", 0, tallix::TapeStamp{});
      save = Seconds() - saveStart;
      const std::string wanted = std::to_string((count - 1) * 7);
      std::tie(find, foundLast) = FindInBox(*main, wanted, count - 1);
      bareFind = BareFind(main->KeptTapeLines(), wanted, count - 1);
      search = SearchAlone(main->KeptTapeLines(), wanted);
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
                 "save %.3f s (bare LB_GETTEXT %.3f s, ratio %.2f); find %.4f s%s, the search alone %.4f s (bare loop "
                 "%.4f s, ratios %.2f and %.2f)\n",
                 run + 1, load, bareAdd, load / bareAdd, longestGap, save, bareRead, save / bareRead, find,
                 foundLast ? "" : " NOT ON THE LAST NUMBER'S LINE", search, bareFind, find / bareFind,
                 search / bareFind);
    std::fflush(out);
  }
  DestroyWindow(main->Owner());
  std::filesystem::remove_all(folder);
  return 0;
}
