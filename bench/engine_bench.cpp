// Engine throughput on a long mixed key session, against a bare FormatNumber
// call as the baseline of the same run, and what each tape line costs in memory.
//
// Build with -DTALLIX_BUILD_BENCH=ON (preferably a Release build without the
// sanitizers) and run build/.../bench/engine_bench. For tallix-cli keys on a
// million-key session see bench/cli_keys_session.sh.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/basic_host.h"
#include "engine/deferred_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "services/format_mask.h"

namespace tallix {
namespace {

// One round of a mixed session: typing, every operator, percent, memory,
// tax, change, reciprocal, number systems, feed and clear.
const std::vector<Key>& SessionRound() {
  static const std::vector<Key> round = [] {
    std::vector<Key> keys;
    for (const char* name : {"1", "2", "3",   "4",    ".",  "5",   "+",   "6",   "7",  "-", "8",    "*",    "9", "/",
                             "2", "=", "MS",  "5",    "0",  "%",   "1",   "M+",  "1",  "0", "0",    "+Tax", "+", "=",
                             "2", "0", "0",   "Chg",  "4",  "1/x", "+",   "2nd", "MR", "=", "Hex",  "F",    "F", "+",
                             "1", "=", "Dec", "Back", "CE", "9",   "+/-", "-",   "3",  "=", "Feed", "Clear"}) {
      keys.push_back(*KeyFromScriptName(name));
    }
    return keys;
  }();
  return round;
}

// Keeps no tape: measures the engine, not the list.
class CountingHost : public BasicEngineHost {
 public:
  int AddTapeLine(std::string_view line) override {
    benchmark::DoNotOptimize(line.data());
    return lines++;
  }
  int lines = 0;
};

double NanosecondsPerFormat() {
  constexpr int kCalls = 20000;
  Real value = 1234.5678L;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) {
    std::string text = FormatNumber(value, "###########0.##########");
    benchmark::DoNotOptimize(text);
    value += 1.25L;
  }
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / kCalls;
}

void BM_FormatNumberBaseline(benchmark::State& state) {
  Real value = 1234.5678L;
  for (auto _ : state) {
    std::string text = FormatNumber(value, "###########0.##########");
    benchmark::DoNotOptimize(text);
    value += 1.25L;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatNumberBaseline);

void BM_EngineKeys(benchmark::State& state) {
  CountingHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Start({});
  const std::vector<Key>& round = SessionRound();
  const double formatNs = NanosecondsPerFormat();
  std::int64_t keys = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (Key key : round) engine.PressKey(key);
    keys += static_cast<std::int64_t>(round.size());
  }
  const double keyNs = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
                       static_cast<double>(keys);
  state.SetItemsProcessed(keys);
  state.counters["keys_per_s"] = benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsRate);
  state.counters["key_vs_format"] = keyNs / formatNs;
  state.counters["lines_per_key"] = static_cast<double>(host.lines) / static_cast<double>(keys);
}
BENCHMARK(BM_EngineKeys);

// A replay of an adding-machine tape of 100,000 lines whose totals go into
// memory, as a correction of its first number replays it: into a host that
// shows only the end. Per line of the tape.
void BM_ReplayLongTape(benchmark::State& state) {
  BasicEngineHost host;
  MemorySettings settings;
  Engine typing(host, settings);
  EngineSettings start;
  start.calcMode = 1;
  typing.Start(start);
  for (std::size_t n = 1; host.tape.size() < 100000; ++n) {
    for (const char digit : std::to_string(n * 37 % 100000 + 1)) {
      typing.PressKey(static_cast<Key>(static_cast<int>(Key::D0) + (digit - '0')));
    }
    typing.PressKey(n % 20 ? Key::Plus : Key::Equals);
    if (n % 20 == 0) typing.PressKey(Key::MemoryAdd);
  }
  const InputRecord record = typing.record();
  BasicEngineHost target;
  Engine replaying(target, settings);
  replaying.Start(start);
  for (auto _ : state) {
    DeferredHost deferred(target, 0);
    replaying.Replay(record, {.afterInput = [](std::size_t) { return true; }, .via = &deferred});
    benchmark::DoNotOptimize(deferred.Lines().data());
  }
  state.counters["inputs_per_line"] = static_cast<double>(record.inputs.size()) / 100000.0;
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ReplayLongTape)->Unit(benchmark::kMillisecond);

// Bytes the in-memory tape holds per line: the string objects, their heap
// buffers beyond the small-string buffer, and the list's spare capacity.
void BM_TapeBytesPerLine(benchmark::State& state) {
  double bytesPerLine = 0;
  for (auto _ : state) {
    BasicEngineHost host;
    MemorySettings settings;
    Engine engine(host, settings);
    engine.Start({});
    for (int i = 0; i < 200; ++i) {
      for (Key key : SessionRound()) engine.PressKey(key);
    }
    std::size_t bytes = host.tape.capacity() * sizeof(std::string);
    for (const std::string& line : host.tape) {
      if (line.capacity() > std::string().capacity()) bytes += line.capacity() + 1;
    }
    bytesPerLine = static_cast<double>(bytes) / static_cast<double>(host.tape.size());
  }
  state.counters["bytes_per_line"] = bytesPerLine;
  state.counters["string_object_bytes"] = sizeof(std::string);
}
BENCHMARK(BM_TapeBytesPerLine)->Iterations(3);

}  // namespace
}  // namespace tallix

BENCHMARK_MAIN();
