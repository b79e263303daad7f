#include "engine/entry_correction.h"

#include <algorithm>
#include <cctype>

#include "engine/basic_host.h"
#include "engine/deferred_host.h"
#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"

namespace tallix {
namespace {

using Kind = EngineInput::Kind;

// Releasing a key types nothing and ends nothing, and a key that leaves the
// entry open ends nothing either: they may fall inside a number.
bool FallsInsideNumber(const EngineInput& input) { return input.kind == Kind::KeyUp || input.keepsEntry; }

// A digit's value 0..15, either case; -1 for any other character.
int DigitOf(char c) {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (std::isdigit(static_cast<unsigned char>(c))) return c - '0';
  return upper >= 'A' && upper <= 'F' ? upper - 'A' + 10 : -1;
}

// The record replayed on a host in memory from checkpoint `from` (nullptr:
// its start), watched after every input until `watch` returns false. The
// host's tape holds only the lines written since `from`.
template <typename Watch>
void ReplayWatching(const InputRecord& record, const RecordCheckpoint* from, Watch watch) {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  engine.Replay(
      record,
      {.afterInput = [&](std::size_t input) { return watch(input, engine, host); }, .via = nullptr, .from = from});
}

std::size_t LinesBefore(const RecordCheckpoint* from) { return from ? from->tapeLines : 0; }

// The keypad keys that type `value` (already found typable).
std::vector<EngineInput> KeysTyping(std::string_view value) {
  std::vector<EngineInput> typed;
  const bool negative = value.front() == '-';
  for (char c : negative ? value.substr(1) : value) {
    const Key key = c == '.' ? Key::Point : DigitKey(DigitOf(c));
    typed.push_back({.kind = Kind::PressKey,
                     .typesEntry = true,
                     .startsEntry = typed.empty(),
                     .value = static_cast<std::int32_t>(key)});
  }
  if (negative)
    typed.push_back({.kind = Kind::PressKey, .typesEntry = true, .value = static_cast<std::int32_t>(Key::ChangeSign)});
  return typed;
}

}  // namespace

std::vector<EnteredNumber> EnteredNumbers(const InputRecord& record) {
  std::vector<EnteredNumber> numbers;
  enum class Run { kNone, kNumber, kChangedValue } run = Run::kNone;
  for (std::size_t i = 0; i < record.inputs.size(); ++i) {
    const EngineInput& input = record.inputs[i];
    if (input.typesEntry) {
      // A digit typed into an empty entry begins a number, whatever Back or
      // +/- did to the display before it.
      if (run != Run::kNumber && input.startsEntry) {
        run = Run::kNumber;
        numbers.push_back({i, i});
      } else if (run == Run::kNone) {
        run = Run::kChangedValue;
      }
      if (run == Run::kNumber) numbers.back().lastInput = i;
    } else if (!FallsInsideNumber(input)) {
      run = Run::kNone;
    }
  }
  return numbers;
}

std::optional<std::string> ShownNumber(const InputRecord& record, std::size_t which) {
  const std::vector<EnteredNumber> numbers = EnteredNumbers(record);
  if (which >= numbers.size()) return std::nullopt;
  std::string shown;
  const RecordCheckpoint* from = CheckpointBefore(record, numbers[which].firstInput);
  ReplayWatching(record, from, [&](std::size_t i, Engine&, BasicEngineHost& host) {
    if (i < numbers[which].lastInput) return true;
    shown = host.display;
    return false;
  });
  return shown;
}

std::optional<std::size_t> EnteredNumberOnLine(const InputRecord& record, std::size_t line) {
  // The input that wrote the line, which must be the first line it wrote...
  const auto after = std::upper_bound(record.checkpoints.begin(), record.checkpoints.end(), line,
                                      [](std::size_t n, const RecordCheckpoint& c) { return n < c.tapeLines; });
  const RecordCheckpoint* from = after == record.checkpoints.begin() ? nullptr : &*(after - 1);
  std::size_t writer = record.inputs.size(), linesBeforeWriter = LinesBefore(from);
  std::string text;
  ReplayWatching(record, from, [&](std::size_t i, Engine&, BasicEngineHost& host) {
    const std::size_t written = LinesBefore(from) + host.tape.size();
    if (written <= line) {
      linesBeforeWriter = written;
      return true;
    }
    writer = i;
    text = host.tape[line - LinesBefore(from)];
    return false;
  });
  if (writer == record.inputs.size() || linesBeforeWriter != line) return std::nullopt;
  if (text.empty() || !(std::isalnum(static_cast<unsigned char>(text[0])) || text[0] == '-')) return std::nullopt;
  // ...right after the number was typed.
  std::size_t before = writer;
  while (before > 0 && FallsInsideNumber(record.inputs[before - 1])) --before;
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
    if (c == '.' && decimal && !point) {
      point = true;
      continue;
    }
    const int digit = DigitOf(c);
    if (digit < 0 || digit >= radix) return false;
    ++digits;
  }
  return digits > 0 && digits <= 18;
}

std::optional<PlannedCorrection> PlanCorrection(const InputRecord& record, std::size_t which, std::string_view value) {
  const std::vector<EnteredNumber> numbers = EnteredNumbers(record);
  if (which >= numbers.size()) return std::nullopt;
  const EnteredNumber& number = numbers[which];
  PlannedCorrection plan;
  plan.replaced = number;
  const RecordCheckpoint* from = CheckpointBefore(record, number.firstInput);
  std::uint8_t displayMode = from ? from->state.displayMode : record.start.displayMode;
  ReplayWatching(record, from, [&](std::size_t i, Engine& engine, BasicEngineHost& host) {
    if (i + 1 == number.firstInput) displayMode = engine.state().displayMode;
    if (i < number.lastInput) return true;
    plan.shownBefore = host.display;
    return false;
  });
  if (!IsTypableNumber(value, displayMode < display_mode::kHex, RadixOf(displayMode))) return std::nullopt;

  const std::vector<EngineInput> typed = KeysTyping(value);
  // The checkpoints before the number still hold.
  plan.record = record.UpTo(from);
  std::vector<EngineInput>& inputs = plan.record.inputs;
  inputs.insert(inputs.end(), record.inputs.begin() + static_cast<std::ptrdiff_t>(inputs.size()),
                record.inputs.begin() + static_cast<std::ptrdiff_t>(number.firstInput));
  inputs.insert(inputs.end(), typed.begin(), typed.end());
  plan.lastInput = inputs.size() - 1;
  plan.undo.firstInput = number.firstInput;
  plan.undo.typed.assign(record.inputs.begin() + static_cast<std::ptrdiff_t>(number.firstInput),
                         record.inputs.begin() + static_cast<std::ptrdiff_t>(number.lastInput + 1));
  // The keys inside the old number that typed nothing stay, after the new one.
  for (std::size_t i = number.firstInput; i < record.inputs.size(); ++i) {
    if (i == number.lastInput + 1) plan.undo.endOfRetyped = inputs.size();
    if (i > number.lastInput || !record.inputs[i].typesEntry) inputs.push_back(record.inputs[i]);
  }
  if (number.lastInput + 1 == record.inputs.size()) plan.undo.endOfRetyped = inputs.size();
  return plan;
}

std::optional<InputRecord> WithCorrectionUndone(const InputRecord& record, const CorrectionUndo& undo) {
  const auto& inputs = record.inputs;
  if (undo.noteInput >= inputs.size() || inputs[undo.noteInput].kind != Kind::AppendTapeLine ||
      undo.endOfRetyped > undo.noteInput || undo.firstInput > undo.endOfRetyped ||
      undo.noteText + 2 > record.texts.size()) {
    return std::nullopt;
  }
  const auto at = [](const auto& items, std::size_t i) { return items.begin() + static_cast<std::ptrdiff_t>(i); };
  const RecordCheckpoint* from = CheckpointBefore(record, undo.firstInput);
  InputRecord undone = record.UpTo(from);
  undone.inputs.reserve(inputs.size() + undo.typed.size());
  undone.inputs.insert(undone.inputs.end(), at(inputs, undone.inputs.size()), at(inputs, undo.firstInput));
  undone.inputs.insert(undone.inputs.end(), undo.typed.begin(), undo.typed.end());
  undone.inputs.insert(undone.inputs.end(), at(inputs, undo.endOfRetyped), at(inputs, undo.noteInput));
  undone.inputs.insert(undone.inputs.end(), at(inputs, undo.noteInput + 1), inputs.end());
  undone.texts.erase(at(undone.texts, undo.noteText), at(undone.texts, undo.noteText + 2));
  return undone;
}

std::string CorrectionKeysText(std::string_view typed) {
  std::string keys(typed);
  std::erase_if(keys, [](char c) { return c == ',' || c == ' '; });
  return keys;
}

std::string CorrectionNote(std::string_view shownBefore, std::string_view shownAfter) {
  return "(Corrected " + std::string(shownBefore) + " to " + std::string(shownAfter) + ")";
}

void SpliceLines(std::vector<std::string>& tape, const TapeSplice& splice) {
  const auto at = [&](std::size_t line) {
    return tape.begin() + static_cast<std::ptrdiff_t>(std::min(line, tape.size()));
  };
  tape.insert(tape.erase(at(splice.first), at(std::max(splice.first, splice.end))), splice.lines.begin(),
              splice.lines.end());
}

MadeCorrection CorrectInPlace(Engine& engine, const PlannedCorrection& plan, EngineHost& host, std::size_t fixedLines,
                              const std::function<void(const TapeSplice&)>& putLines,
                              const std::function<void(std::size_t)>& afterInput) {
  const InputRecord& record = engine.record();
  const std::size_t recordLines = record.tapeLines;
  const auto shift =
      static_cast<std::ptrdiff_t>(plan.record.inputs.size()) - static_cast<std::ptrdiff_t>(record.inputs.size());
  const RecordCheckpoint* start = CheckpointBefore(plan.record, plan.replaced.firstInput);
  DeferredHost replayed(host, fixedLines + (start ? start->tapeLines : 0));
  std::string shownAfter;
  const auto watch = [&](std::size_t i) {
    if (i == plan.lastInput) shownAfter = replayed.GetDisplayText();
    if (afterInput) afterInput(i);
  };
  const Engine::ChangedReplay done =
      engine.ReplayChanged(plan.record, plan.replaced.firstInput, plan.replaced.lastInput, shift, replayed, watch);
  // Where the replay met the calculator as it was, the rest of the tape and
  // the window stand; otherwise the replay's end is shown.
  MadeCorrection made{{fixedLines + done.firstLine, fixedLines + done.rejoinedAtLine.value_or(recordLines),
                       replayed.TakeLines(), CorrectionNote(plan.shownBefore, shownAfter)},
                      plan.undo,
                      done.rejoinedAtLine.has_value()};
  putLines(made.splice);
  if (!made.stoppedEarly) replayed.ShowOnTarget();
  engine.AppendTapeLine(made.splice.note, "");
  made.undo.noteInput = engine.record().inputs.size() - 1;
  made.undo.noteText = engine.record().texts.size() - 2;
  return made;
}

}  // namespace tallix
