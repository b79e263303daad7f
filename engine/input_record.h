#pragma once
// What made the tape since it was last cleared or loaded: where the calculator
// stood then, every operation given to it from outside since (keypad and
// keyboard keys, menu commands, pasted texts, lines the side tools appended),
// and what the outside world answered meanwhile (the clipboard, questions,
// NumLock). Given to a fresh engine, it makes the same tape, display, panes
// and memory banks again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "engine/engine_state.h"

namespace tallix {

struct EngineInput {
  enum class Kind : std::uint8_t {
    PressKey,     // value: the Key
    KeyDown,      // value: the virtual key
    KeyUp,        // value: the virtual key
    SetDecimals,  // value: 0..4, 10
    ToggleDigitGrouping,
    ToggleAutoDecimal,
    CopyDisplay,
    PasteDisplay,  // the clipboard's text is the record's next text
    UpdateNumLock,
    AppendTapeLine,  // the number and the symbol are the next two texts
    SetCalcMode,     // value: 0 or 1
    SetTaxRate,      // value: the float's bits
    SetLaptopKeys,   // value: 0 or 1
    EndEntry,
    SetRounding,    // value: the RoundingRule
    SetGrandTotal,  // value: 0 or 1
    GrandTotal,     // Edit > Grand Total
  };
  // Eight bytes an input: a long session keeps millions of them.
  Kind kind = Kind::PressKey;
  // It typed into the number being entered (a digit, the point, Back, the
  // sign) and wrote nothing on the tape: a run of these is an entered number.
  bool typesEntry = false;
  // A digit or the point it typed began a new entry. An entered number
  // begins so; until one does, a run changes a number that was pasted,
  // recalled or worked out, and typing it again would not give it.
  bool startsEntry = false;
  // It typed nothing and left a number being entered as it stood (Feed, 2nd,
  // Chg with an operator pending): the number goes on after it.
  bool keepsEntry = false;
  std::int32_t value = 0;
  bool operator==(const EngineInput&) const = default;
};
static_assert(sizeof(EngineInput) == 8);

// Where the calculator stood after the first `inputs` inputs of a record, so
// that a replay of a long record can start there.
struct RecordCheckpoint {
  std::size_t inputs = 0;
  std::size_t texts = 0, answers = 0;  // of the record's, used by then
  std::size_t tapeLines = 0;           // written by then
  EngineState state;
  ShownTexts shown;
};

// What a memory key did to a bank. A correction that leaves the calculator as
// it was but for the banks keeps the rest of the tape and works the banks out
// from these alone, unless a bank was recalled since.
struct BankChange {
  enum class Kind : std::uint8_t { Add, Set, Clear, Recall };
  Kind kind = Kind::Add;
  std::uint8_t bank = 0;
  std::uint8_t displayMode = 0;  // Add: the system and decimals the bank's text was written in
  bool digitGrouping = false;    // Add: likewise
  std::size_t input = 0;         // the record's input it happened in
  Real value = 0;                // Add: the value added; Set: the value stored
  std::string text{};            // Set: the text stored
};

// A checkpoint is kept after each run of this many inputs.
inline constexpr std::size_t kInputsPerCheckpoint = 256;

struct InputRecord {
  EngineState start;
  ShownTexts startTexts;
  std::vector<EngineInput> inputs;
  std::vector<std::string> texts;             // in the order the inputs use them
  std::vector<bool> answers;                  // questions, NumLock and copies, in the order asked
  std::size_t tapeLines = 0;                  // the lines it wrote
  std::vector<RecordCheckpoint> checkpoints;  // in the order of their inputs
  std::vector<BankChange> bankChanges;        // in the order they happened
  bool bankChangesKept = true;                // false: some are missing (a record taken over whole)

  // The record as it stood at `checkpoint` (one of its own; nullptr: its
  // start): the inputs, lines, checkpoints and bank changes made by then. It
  // keeps all the texts and answers, which inputs added after it use in turn.
  InputRecord UpTo(const RecordCheckpoint* checkpoint) const;
};

// The last checkpoint after at most `inputs` inputs; nullptr: the record's start.
inline const RecordCheckpoint* CheckpointBefore(const InputRecord& record, std::size_t inputs) {
  const auto after = std::upper_bound(record.checkpoints.begin(), record.checkpoints.end(), inputs,
                                      [](std::size_t n, const RecordCheckpoint& c) { return n < c.inputs; });
  return after == record.checkpoints.begin() ? nullptr : &*(after - 1);
}

inline InputRecord InputRecord::UpTo(const RecordCheckpoint* checkpoint) const {
  const std::size_t made = checkpoint ? checkpoint->inputs : 0;
  // At the start there is no bank change yet to have missed.
  InputRecord before;
  before.start = start;
  before.startTexts = startTexts;
  before.texts = texts;
  before.answers = answers;
  before.tapeLines = checkpoint ? checkpoint->tapeLines : 0;
  before.bankChangesKept = !checkpoint || bankChangesKept;
  // Room for the whole record at once: what is made from it grows back to
  // about its length, and growing a long record step by step copies it.
  before.inputs.reserve(inputs.size());
  before.inputs.assign(inputs.begin(), inputs.begin() + static_cast<std::ptrdiff_t>(made));
  const auto kept = checkpoint ? checkpoint - checkpoints.data() + 1 : 0;
  before.checkpoints.assign(checkpoints.begin(), checkpoints.begin() + kept);
  for (const BankChange& change : bankChanges) {
    if (change.input >= made) break;
    before.bankChanges.push_back(change);
  }
  return before;
}

}  // namespace tallix
