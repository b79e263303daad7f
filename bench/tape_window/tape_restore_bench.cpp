// A tape of LINES (100,000) lines, typed, made again at start-up from the
// journal its window left when it was killed, against Load Tape of a file
// with the same lines in the same run.
//
//   tape_restore_bench.exe [LINES] [RUNS]   (prints to tape_restore_bench.txt beside it)
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_commands.h"
#include "app/main_window/tape_list.h"
#include "app/tape/tape_file.h"
#include "app/tape/tape_journal.h"
#include "bench/tape_window/window_bench.h"
#include "engine/basic_host.h"
#include "engine/memory_settings.h"
#include "ui/utf8_text.h"

namespace {

using tallix::bench::Seconds;

std::string Utf8(const std::filesystem::path& path) { return tallix::file_io::Utf8FromWide(path.wstring()); }

// A typed session of `lines` tape lines, a total every 20 numbers, left as a
// killed window leaves its journal beside `settings`; its lines.
std::vector<std::string> LeaveJournal(const std::string& settings, std::size_t lines) {
  tallix::BasicEngineHost host;
  tallix::MemorySettings store;
  tallix::Engine engine(host, store);
  engine.Start({});
  auto journal = tallix::TapeJournal::Create(settings, [&host](std::size_t first) {
    return std::vector<std::string>(host.tape.begin() + static_cast<std::ptrdiff_t>(first), host.tape.end());
  });
  engine.SetRecordObserver(journal.get());
  journal->RecordChanged(engine);
  for (int n = 1; host.tape.size() < lines; ++n) {
    for (const char digit : std::to_string(n % 9973))
      engine.PressKey(*tallix::KeyFromScriptName(std::string(1, digit)));
    engine.PressKey(n % 20 ? tallix::Key::Plus : tallix::Key::Equals);
  }
  engine.SetRecordObserver(nullptr);
  return host.tape;
}

// Until the window has handled all it was sent.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const tallix::bench::Start start = tallix::bench::StartBench(L"tallix_tape_restore_bench", 100000);
  std::FILE* out = tallix::bench::ResultsFile(start, L"tape_restore_bench.txt");
  for (int run = 0; run < start.runs; ++run) {
    const std::filesystem::path restoreFolder = start.folder / (L"restore" + std::to_wstring(run));
    const std::filesystem::path loadFolder = start.folder / (L"load" + std::to_wstring(run));
    std::filesystem::create_directories(restoreFolder);
    std::filesystem::create_directories(loadFolder);
    const std::vector<std::string> tape = LeaveJournal(Utf8(restoreFolder / L"Tallix.ini"), start.lines);
    const std::string tapePath = Utf8(loadFolder / L"tape.txt");
    tallix::SaveTapeFile(tapePath, tape, "0", 0, tallix::TapeStamp{});

    const std::filesystem::path emptyFolder = start.folder / (L"empty" + std::to_wstring(run));
    std::filesystem::create_directories(emptyFolder);
    double restore = 0, empty = 0, load = 0;
    std::size_t restored = 0;
    // What a start shows before its first key: with the journal, and in a
    // folder without one (the window's first paint, which the restore is not).
    const auto startIn = [&](const std::filesystem::path& folder, double& took) {
      tallix::MainWindowContext* main = tallix::CreateMainWindow(Utf8(folder / L"Tallix.ini"));
      const double begin = Seconds();
      Pump();  // the journal is taken up once the window is shown
      took = Seconds() - begin;
      const std::size_t lines = tallix::TapeCount(GetDlgItem(main->Owner(), tallix::ids::kTapeList));
      DestroyWindow(main->Owner());
      Pump();
      return lines;
    };
    const auto loadRun = [&] {
      tallix::MainWindowContext* main = tallix::CreateMainWindow(Utf8(loadFolder / L"Tallix.ini"));
      Pump();
      const double begin = Seconds();
      tallix::LoadTapeFrom(*main, tapePath);
      Pump();
      load = Seconds() - begin;
      DestroyWindow(main->Owner());
      Pump();
    };
    if (run % 2) {
      loadRun();
      startIn(emptyFolder, empty);
      restored = startIn(restoreFolder, restore);
    } else {
      restored = startIn(restoreFolder, restore);
      startIn(emptyFolder, empty);
      loadRun();
    }
    std::fprintf(out,
                 "run %d: %zu lines restored from the journal in %.3f s (a start without one %.3f s); Load Tape of "
                 "them %.3f s; ratio %.2f\n",
                 run + 1, restored, restore - empty, empty, load, (restore - empty) / load);
    std::fflush(out);
  }
  std::filesystem::remove_all(start.folder);
  return 0;
}
