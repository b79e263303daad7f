// Save Tape and Load Tape of a 1,000,000-line tape through Tallix's code,
// against bare loops that do the same string work in the same run: the bytes
// of the file built from the lines, and the lines split back out of them.
// The *_File variants include the disk: Tallix's save also flushes the file to
// disk before renaming it over the old one, which the bare write does not.
//
// Build with -DTALLIX_BUILD_BENCH=ON (a Release build without the sanitizers)
// and run build/.../bench/tape_bench.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/tape/tape_file.h"
#include "app/tape/tape_find.h"
#include "app/tape/tape_journal.h"
#include "engine/basic_host.h"
#include "engine/memory_settings.h"

namespace tallix {
namespace {

constexpr int kLines = 1'000'000;
const TapeStamp kStamp{2024, 12, 31, 23, 59, 7};

const std::vector<std::string>& Tape() {
  static const std::vector<std::string> lines = [] {
    const std::vector<std::string> kinds = {"1,234.5  ",          "6.7 +",     "89 -", "12 \xD7",
                                            std::string(26, '-'), "1,164.2 =", "",     "Copy (1,164.2)",
                                            "00:01:05:20 LAP"};
    std::vector<std::string> tape;
    tape.reserve(kLines);
    for (int i = 0; i < kLines; ++i) tape.push_back(kinds[static_cast<std::size_t>(i) % kinds.size()]);
    return tape;
  }();
  return lines;
}

// Sized first, as Tallix's own save is, so that only the string work differs.
std::string BareSave(const std::vector<std::string>& lines) {
  std::size_t size = 128;
  for (const std::string& line : lines) size += std::max<std::size_t>(line.size(), 30) + 2;
  std::string out;
  out.reserve(size);
  out += TapeReportHeading(kStamp) + "\r\n\r\n\r\n";
  for (const std::string& line : lines) {
    out.append(line.size() < 30 ? 30 - line.size() : 0, ' ');
    out += line;
    out += "\r\n";
  }
  out += "\r\n** 8\r\n***  8\r\n";
  return out;
}

std::vector<std::string> BareLoad(std::string_view bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find("\r\n", start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    lines.emplace_back(line);
    start = end + 2;
  }
  return lines;
}

const std::string& TapeBytes() {
  static const std::string bytes = FormatTapeFile(Tape(), "8", 8, kStamp);
  return bytes;
}

std::string TempPath(const char* leaf) { return (std::filesystem::temp_directory_path() / leaf).string(); }

// Milliseconds of the fastest of a few runs of `work`.
template <typename Work>
double FastestMs(Work work) {
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// Runs `tallix` as the benchmark, and reports its time and the bare loop's
// (the fastest of a few runs each) and their ratio as counters.
template <typename Tallix, typename Bare>
void Compare(benchmark::State& state, Tallix tallix, Bare bare) {
  for (auto _ : state) tallix();
  const double tallixMs = FastestMs(tallix);
  const double bareMs = FastestMs(bare);
  state.counters["tallix_ms"] = tallixMs;
  state.counters["bare_ms"] = bareMs;
  state.counters["ratio"] = tallixMs / bareMs;
}

void BM_SaveTape(benchmark::State& state) {
  Compare(
      state, [] { benchmark::DoNotOptimize(FormatTapeFile(Tape(), "8", 8, kStamp)); },
      [] { benchmark::DoNotOptimize(BareSave(Tape())); });
}
BENCHMARK(BM_SaveTape)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadTape(benchmark::State& state) {
  Compare(
      state, [] { benchmark::DoNotOptimize(ParseTapeFile(TapeBytes())); },
      [] { benchmark::DoNotOptimize(BareLoad(TapeBytes())); });
}
BENCHMARK(BM_LoadTape)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveTapeFile(benchmark::State& state) {
  const std::string path = TempPath("tallix-bench-tape.txt");
  const std::string barePath = TempPath("tallix-bench-bare.txt");
  Compare(
      state, [&] { benchmark::DoNotOptimize(SaveTapeFile(path, Tape(), "8", 8, kStamp)); },
      [&] {
        std::ofstream out(barePath, std::ios::binary | std::ios::trunc);
        const std::string bytes = BareSave(Tape());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      });
  std::remove(barePath.c_str());
}
BENCHMARK(BM_SaveTapeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadTapeFile(benchmark::State& state) {
  const std::string path = TempPath("tallix-bench-tape.txt");
  SaveTapeFile(path, Tape(), "8", 8, kStamp);
  Compare(
      state, [&] { benchmark::DoNotOptimize(LoadTapeFile(path)); },
      [&] {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        benchmark::DoNotOptimize(BareLoad(bytes.str()));
      });
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadTapeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Find on the tape, the match on its last line, against a bare loop that
// looks for the text in each line (case and all, as std::string::find does):
// a note's word, typed in capitals, and a number typed without its grouping
// and with a trailing zero, which no line holds as text.
std::vector<std::string> TapeEndingIn(std::string last) {
  std::vector<std::string> lines = Tape();
  lines.back() = std::move(last);
  return lines;
}

void FindAgainstBareLoop(benchmark::State& state, const std::vector<std::string>& lines, std::string_view typed,
                         std::string_view bare) {
  const TapeQuery query(typed);
  Compare(
      state,
      [&] {
        const std::optional<TapeFound> found = FindOnTape(lines, 10, query, std::nullopt, true);
        if (!found || found->line + 1 != lines.size()) state.SkipWithError("not found on the last line");
        benchmark::DoNotOptimize(found);
      },
      [&] {
        std::size_t at = 0;
        while (at < lines.size() && lines[at].find(bare) == std::string::npos) ++at;
        benchmark::DoNotOptimize(at);
      });
}

void BM_FindText(benchmark::State& state) {
  static const std::vector<std::string> lines = TapeEndingIn("\"Paid in full\"");
  FindAgainstBareLoop(state, lines, "PAID", "Paid");
}
BENCHMARK(BM_FindText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindNumber(benchmark::State& state) {
  static const std::vector<std::string> lines = TapeEndingIn("4,321.75 =");
  FindAgainstBareLoop(state, lines, "4321.750", "4,321.75");
}
BENCHMARK(BM_FindNumber)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keys through an engine that keeps a journal, against the same keys through
// one that keeps none, in the same run and alternating: a mixed session whose
// every fifth key or so ends a calculation, which writes the journal to disk.
// The journal lies in /dev/shm where there is one, so that what is measured
// is Tallix's work and not the disk's (a flush on a disk takes what the disk
// takes, at most once a calculation and once every 2 seconds).
void BM_KeysWithJournalAgainstWithout(benchmark::State& state) {
  const std::vector<std::string> names = {"1",  "2", "3", ".",  "5",    "+", "6", "7",   "-", "8",   "*",  "9", "=",
                                          "MS", "5", "%", "M+", "+Tax", "=", "4", "1/x", "+", "2nd", "MR", "=", "Feed"};
  std::vector<Key> round;
  for (const std::string& name : names) round.push_back(*KeyFromScriptName(name));
  const std::filesystem::path folder =
      std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
  const std::string settingsPath = (folder / "TallixBench.ini").string();
  constexpr int kRounds = 2000;
  double without = 0, with = 0;
  for (auto _ : state) {
    for (const bool journalled : {false, true}) {
      BasicEngineHost host;
      MemorySettings settings;
      Engine engine(host, settings);
      engine.Start({});
      std::unique_ptr<TapeJournal> journal;
      if (journalled) {
        journal = TapeJournal::Create(settingsPath, [&host](std::size_t first) {
          return std::vector<std::string>(host.tape.begin() + static_cast<std::ptrdiff_t>(first), host.tape.end());
        });
        engine.SetRecordObserver(journal.get());
        journal->RecordChanged(engine);
      }
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < kRounds; ++i)
        for (const Key key : round) engine.PressKey(key);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      (journalled ? with : without) += seconds;
      engine.SetRecordObserver(nullptr);
      if (journal) journal->Remove();
    }
  }
  const double keys = static_cast<double>(state.iterations()) * kRounds * static_cast<double>(round.size());
  state.counters["keys_per_s_without"] = keys / without;
  state.counters["keys_per_s_with"] = keys / with;
  state.counters["ratio_with_to_without"] = with / without;
}
BENCHMARK(BM_KeysWithJournalAgainstWithout)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tallix

BENCHMARK_MAIN();
