#include "engine/entry_correction.h"

#include <cctype>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"

namespace tallix {
namespace {

using Kind = EngineInput::Kind;

// Releasing a key types nothing and ends nothing: it may fall inside a number.
bool IsNeutral(const EngineInput& input) { return input.kind == Kind::KeyUp; }

int RadixOfMode(std::uint8_t displayMode) {
  switch (displayMode) {
    case display_mode::kHex: return 16;
    case display_mode::kBinary: return 2;
    case display_mode::kOctal: return 8;
    default: return 10;
  }
}

// The record replayed on a host in memory, watched after every input.
template <typename Watch>
void ReplayWatching(const InputRecord& record, Watch watch) {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Replay(record, [&](std::size_t input) { watch(input, engine, host); });
}

}  // namespace

std::vector<EnteredNumber> EnteredNumbers(const InputRecord& record) {
  std::vector<EnteredNumber> numbers;
  bool open = false;
  ReplayWatching(record, [&](std::size_t i, Engine&, BasicEngineHost& host) {
    const EngineInput& input = record.inputs[i];
    if (input.typesEntry) {
      if (!open) numbers.push_back({i, i, {}});
      open = true;
      numbers.back().lastInput = i;
      numbers.back().shown = host.display;
    } else if (!IsNeutral(input)) {
      open = false;
    }
  });
  return numbers;
}

std::optional<std::size_t> EnteredNumberOnLine(const InputRecord& record, std::size_t line) {
  std::vector<std::size_t> linesBefore{0};  // the tape's length before each input, and at the end
  std::string text;
  ReplayWatching(record, [&](std::size_t i, Engine&, BasicEngineHost& host) {
    linesBefore.push_back(host.tape.size());
    if (i + 1 == record.inputs.size() && line < host.tape.size()) text = host.tape[line];
  });
  if (text.empty() || !(std::isalnum(static_cast<unsigned char>(text[0])) || text[0] == '-')) return std::nullopt;
  // The key that wrote the line, which must be the first line it wrote...
  std::size_t writer = 0;
  while (linesBefore[writer + 1] <= line) ++writer;
  if (linesBefore[writer] != line) return std::nullopt;
  // ...right after the number was typed.
  std::size_t before = writer;
  while (before > 0 && IsNeutral(record.inputs[before - 1])) --before;
  if (before == 0 || !record.inputs[before - 1].typesEntry) return std::nullopt;
  const std::vector<EnteredNumber> numbers = EnteredNumbers(record);
  for (std::size_t n = 0; n < numbers.size(); ++n) {
    if (numbers[n].lastInput == before - 1) return n;
  }
  return std::nullopt;
}

bool IsTypableNumber(std::string_view value, bool decimal, int radix) {
  if (decimal && !value.empty() && value.front() == '-') value.remove_prefix(1);
  int digits = 0;
  bool point = false;
  for (char c : value) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == '.' && decimal && !point) {
      point = true;
      continue;
    }
    const int digit = std::isdigit(static_cast<unsigned char>(upper)) ? upper - '0'
                      : upper >= 'A' && upper <= 'F'                 ? upper - 'A' + 10
                                                                      : -1;
    if (digit < 0 || digit >= radix) return false;
    ++digits;
  }
  return digits > 0 && digits <= 18;
}

std::optional<InputRecord> WithNumberRetyped(const InputRecord& record, std::size_t which, std::string_view value) {
  const std::vector<EnteredNumber> numbers = EnteredNumbers(record);
  if (which >= numbers.size()) return std::nullopt;
  const EnteredNumber& number = numbers[which];
  std::uint8_t displayMode = record.start.displayMode;
  ReplayWatching(record, [&](std::size_t i, Engine& engine, BasicEngineHost&) {
    if (i + 1 == number.firstInput) displayMode = engine.state().displayMode;
  });
  const bool decimal = displayMode < display_mode::kHex;
  if (!IsTypableNumber(value, decimal, RadixOfMode(displayMode))) return std::nullopt;

  std::vector<EngineInput> typed;
  const bool negative = value.front() == '-';
  for (char c : negative ? value.substr(1) : value) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Key key = c == '.'                            ? Key::Point
                    : std::isdigit(static_cast<unsigned char>(c)) ? static_cast<Key>(static_cast<int>(Key::D0) + (c - '0'))
                                                                  : static_cast<Key>(static_cast<int>(Key::A) + (upper - 'A'));
    typed.push_back({Kind::PressKey, static_cast<std::int32_t>(key), true});
  }
  if (negative) typed.push_back({Kind::PressKey, static_cast<std::int32_t>(Key::ChangeSign), true});

  InputRecord retyped = record;
  std::vector<EngineInput> inputs(record.inputs.begin(), record.inputs.begin() + number.firstInput);
  inputs.insert(inputs.end(), typed.begin(), typed.end());
  for (std::size_t i = number.firstInput; i < record.inputs.size(); ++i) {
    if (i > number.lastInput || !record.inputs[i].typesEntry) inputs.push_back(record.inputs[i]);
  }
  retyped.inputs = std::move(inputs);
  return retyped;
}

std::optional<Correction> CorrectNumber(const InputRecord& record, std::size_t which, std::string_view value) {
  std::optional<InputRecord> retyped = WithNumberRetyped(record, which, value);
  if (!retyped) return std::nullopt;
  const std::string before = EnteredNumbers(record)[which].shown;
  const std::string after = EnteredNumbers(*retyped)[which].shown;
  return Correction{std::move(*retyped), "(Corrected " + before + " to " + after + ")"};
}

std::size_t TapeLinesOf(const InputRecord& record) {
  std::size_t lines = 0;
  ReplayWatching(record, [&](std::size_t, Engine&, BasicEngineHost& host) { lines = host.tape.size(); });
  return lines;
}

}  // namespace tallix
