// A typed number corrected afterwards gives the tape, display and panes that
// typing it right would have given: checked against the keys typed right.
#include "engine/entry_correction.h"

#include <random>
#include <tuple>

#include "engine/deferred_host.h"

#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

struct Corrected {
  BasicEngineHost host;
  MemorySettings settings;
  Engine engine{host, settings};
  std::string note;
};

// `script` typed, then typed number `which` (from 0) corrected to `value`.
std::unique_ptr<Corrected> Correct(std::string_view script, std::size_t which, std::string_view value,
                                   const EngineSettings& settings = {}) {
  Calculator typed(settings);
  typed.Keys(script);
  const auto correction = CorrectNumber(typed.engine.record(), which, value);
  if (!correction) return nullptr;
  auto result = std::make_unique<Corrected>();
  result->engine.Replay(correction->record);
  result->note = correction->note;
  return result;
}

void ExpectAsTypedRight(std::string_view wrong, std::size_t which, std::string_view value, std::string_view right,
                        const EngineSettings& settings = {}) {
  SCOPED_TRACE(std::string(wrong) + " -> " + std::string(right));
  const auto corrected = Correct(wrong, which, value, settings);
  ASSERT_NE(corrected, nullptr);
  Calculator typed(settings);
  typed.Keys(right);
  EXPECT_EQ(corrected->host.tape, typed.host.tape);
  EXPECT_EQ(corrected->host.display, typed.host.display);
  EXPECT_EQ(corrected->host.items, typed.host.items);
  EXPECT_EQ(corrected->host.average, typed.host.average);
  EXPECT_EQ(corrected->host.memory, typed.host.memory);
  EXPECT_EQ(corrected->engine.state().memoryText, typed.engine.state().memoryText);
}

TEST(EntryCorrection, ChainsComeOutAsIfTypedRight) {
  ExpectAsTypedRight("1 2 + 3 0 + 5 =", 1, "31", "1 2 + 3 1 + 5 =");
  ExpectAsTypedRight("1 2 + 3 0 + 5 + =", 1, "3.75", "1 2 + 3 . 7 5 + 5 + =", AddingMachine());
  ExpectAsTypedRight("2 0 0 * 1 5 % MS 7 + MR = C 4 +", 1, "-8", "2 0 0 * 8 +/- % MS 7 + MR = C 4 +");
  ExpectAsTypedRight("1 0 / 4 = Back 9 +", 1, "0", "1 0 / 0 = Back 9 +");  // now a division by zero
}

TEST(EntryCorrection, TheNoteSaysWhatChangedAndBadValuesAreRefused) {
  const auto corrected = Correct("1 2 + 3 0 =", 1, "15");
  ASSERT_NE(corrected, nullptr);
  EXPECT_EQ(corrected->note, "(Corrected 30 to 15)");
  Calculator typed;
  typed.Keys("1 2 + 3 0 Back 0 =");
  EXPECT_EQ(ShownNumber(typed.engine.record(), 1), "30");
  const auto plan = PlanCorrection(typed.engine.record(), 1, "7");
  ASSERT_TRUE(plan.has_value());
  EXPECT_EQ(plan->linesBefore, 1u) << "\"12 +\" stays as it is";
  EXPECT_EQ(plan->shownBefore, "30");
  EXPECT_EQ(Correct("1 2 + 3 0 =", 2, "15"), nullptr) << "only two numbers were typed";
  for (std::string_view bad : {"", "-", "1.2.3", "12a", "1234567890123456789"}) {
    EXPECT_EQ(Correct("1 2 + 3 0 =", 0, bad), nullptr) << bad;
  }
  EXPECT_NE(Correct("Hex F F + 1 =", 0, "A0"), nullptr);
  EXPECT_EQ(Correct("Hex F F + 1 =", 0, "1.5"), nullptr) << "no point in hexadecimal";
}

TEST(EntryCorrection, UndoPutsTheNumberBackAndKeepsWhatWasTypedSince) {
  for (const bool adding : {false, true}) {
    const EngineSettings settings = adding ? AddingMachine() : EngineSettings{};
    Calculator typed(settings);
    typed.Keys("1 2 + 3 0 Back 0 + 5 =");
    const auto plan = PlanCorrection(typed.engine.record(), 1, "31");
    ASSERT_TRUE(plan.has_value());
    Calculator corrected(settings);
    corrected.host.tape.clear();
    corrected.engine.Replay(plan->record);
    corrected.engine.AppendTapeLine("(Corrected 30 to 31)", "");
    const CorrectionUndo undo = UndoOf(*plan, corrected.engine.record());
    corrected.Keys("7 +");

    const auto undone = WithCorrectionUndone(corrected.engine.record(), undo);
    ASSERT_TRUE(undone.has_value());
    Calculator replayed(settings);
    replayed.host.tape.clear();
    replayed.engine.Replay(*undone);
    Calculator right(settings);
    right.Keys("1 2 + 3 0 Back 0 + 5 = 7 +");
    EXPECT_EQ(replayed.host.tape, right.host.tape);
    EXPECT_EQ(replayed.host.display, right.host.display);

    corrected.host.answerYes = true;
    corrected.engine.ClearTape();
    corrected.Keys("4 +");
    EXPECT_EQ(WithCorrectionUndone(corrected.engine.record(), undo), std::nullopt) << "a new tape";
  }
}

TEST(EntryCorrection, OnlyLinesOfTypedNumbersLeadToThem) {
  Calculator typed(AddingMachine());
  typed.Keys("1 2 + 3 0 + + MR + =");
  typed.engine.AppendTapeLine("(Length) Feet: 3", "");
  // "12 +", "30 +", "30 +" (repeated), "0 +" (recalled), dashes, "72 =", "", the side tool's line.
  const InputRecord& record = typed.engine.record();
  EXPECT_EQ(EnteredNumberOnLine(record, 0), 0u);
  EXPECT_EQ(EnteredNumberOnLine(record, 1), 1u);
  for (std::size_t line : {2u, 3u, 4u, 5u, 6u, 7u, 99u}) EXPECT_EQ(EnteredNumberOnLine(record, line), std::nullopt) << line;

  // A pasted number with its sign changed, or typed on: typing another
  // number in its place would not give what the user meant.
  Calculator changed;
  changed.host.clipboard = "12";
  changed.engine.PasteDisplay();
  changed.Keys("+/- +");
  changed.engine.PasteDisplay();
  changed.Keys("3 + 5 +");
  EXPECT_EQ(EnteredNumbers(changed.engine.record()).size(), 1u);
  for (std::size_t line : {0u, 1u}) EXPECT_EQ(EnteredNumberOnLine(changed.engine.record(), line), std::nullopt) << line;
  EXPECT_EQ(EnteredNumberOnLine(changed.engine.record(), 2), 0u);
}

// The window corrects its own engine in place: replayed from a checkpoint
// through a host that shows only the end, stopping where the calculator
// stands as it stood before. Checked against the whole corrected record
// replayed into a fresh engine, then again after more keys and a second
// correction (which relies on the checkpoints the first one left).
TEST(EntryCorrection, InPlaceOnALongTapeAsIfTheWholeRecordWereReplayed) {
  std::mt19937 random(99);
  const std::vector<Key> keys = [] {
    std::vector<Key> all;
    for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ".", "Back", "+", "+", "+", "-", "*",
                             "/", "=", "%", "MS", "M+", "MR", "CE", "C", "+Tax", "+/-", "Feed", "Hex", "Dec"}) {
      all.push_back(*KeyFromScriptName(name));
    }
    return all;
  }();
  const auto typeKeys = [&](Engine& engine, int count) {
    for (int i = 0; i < count; ++i) {
      const bool digit = random() % 3 != 0;
      engine.PressKey(digit ? keys[random() % 10] : keys[10 + random() % (keys.size() - 10)]);
    }
  };
  int rejoined = 0, corrections = 0;
  for (int session = 0; session < 60; ++session) {
    SCOPED_TRACE("session " + std::to_string(session));
    Calculator window(random() % 2 ? AddingMachine() : EngineSettings{});
    typeKeys(window.engine, 600 + static_cast<int>(random() % 1500));
    for (int round = 0; round < 2; ++round) {
      const InputRecord record = window.engine.record();
      const std::size_t numbers = EnteredNumbers(record).size();
      ASSERT_GT(numbers, 0u);
      const std::size_t which = random() % numbers;
      InputRecord withoutCheckpoints = record;
      withoutCheckpoints.checkpoints.clear();
      for (int probe = 0; probe < 2; ++probe) {
        const std::size_t line = random() % (record.tapeLines + 1);
        ASSERT_EQ(EnteredNumberOnLine(record, line), EnteredNumberOnLine(withoutCheckpoints, line)) << line;
      }
      ASSERT_EQ(ShownNumber(record, which), ShownNumber(withoutCheckpoints, which));
      const std::string value = std::to_string(random() % 1000);
      const auto whole = CorrectNumber(record, which, value);
      const auto plan = PlanCorrection(record, which, value);
      if (!whole) {
        EXPECT_FALSE(plan.has_value());
        continue;
      }
      ASSERT_TRUE(plan.has_value());
      Calculator fresh;
      fresh.host.tape.clear();
      fresh.engine.Replay(whole->record);

      const RecordCheckpoint* start = CheckpointBefore(plan->record, plan->replaced.firstInput);
      DeferredHost replayed(window.host, start ? start->tapeLines : 0);
      const auto done = window.engine.ReplayChanged(
          plan->record, plan->replaced.firstInput, plan->replaced.lastInput,
          static_cast<std::ptrdiff_t>(plan->record.inputs.size()) - static_cast<std::ptrdiff_t>(record.inputs.size()),
          replayed);
      std::vector<std::string>& tape = window.host.tape;
      tape.erase(tape.begin() + static_cast<std::ptrdiff_t>(done.firstLine),
                 done.rejoinedAtLine ? tape.begin() + static_cast<std::ptrdiff_t>(*done.rejoinedAtLine) : tape.end());
      tape.insert(tape.begin() + static_cast<std::ptrdiff_t>(done.firstLine), replayed.Lines().begin(),
                  replayed.Lines().end());
      if (!done.rejoinedAtLine) replayed.ShowOnTarget();
      rejoined += done.rejoinedAtLine.has_value();
      ++corrections;

      ASSERT_EQ(window.host.tape, fresh.host.tape);
      ASSERT_EQ(std::tie(window.host.display, window.host.items, window.host.average, window.host.memory),
                std::tie(fresh.host.display, fresh.host.items, fresh.host.average, fresh.host.memory));
      ASSERT_EQ(window.engine.record().inputs, fresh.engine.record().inputs);
      ASSERT_EQ(window.engine.record().tapeLines, fresh.engine.record().tapeLines);
      const int more = 1 + static_cast<int>(random() % 40);
      const std::mt19937 saved = random;
      typeKeys(window.engine, more);
      random = saved;
      typeKeys(fresh.engine, more);
      ASSERT_EQ(window.host.tape, fresh.host.tape) << "the states were the same";
      ASSERT_EQ(window.host.display, fresh.host.display);
    }
  }
  EXPECT_GT(rejoined, corrections / 4) << "most corrections should stop early";
  EXPECT_LT(rejoined, corrections) << "some never meet the old calculator again";
}

}  // namespace
}  // namespace tallix::testing
