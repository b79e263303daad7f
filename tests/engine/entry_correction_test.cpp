// A typed number corrected afterwards gives the tape, display and panes that
// typing it right would have given: checked against the keys typed right.
#include "engine/entry_correction.h"

#include <random>
#include <tuple>

#include "engine/deferred_host.h"
#include "engine/settings_keys.h"

#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

// The window's way of correcting, on a calculator whose tape is its lines.
MadeCorrection CorrectedInPlace(Calculator& window, const PlannedCorrection& plan) {
  std::vector<std::string>& tape = window.host.tape;
  return CorrectInPlace(window.engine, plan, window.host, tape.size() - window.engine.record().tapeLines,
                        [&](const TapeSplice& splice) { SpliceLines(tape, splice); });
}

// `script` typed, then typed number `which` (from 0) corrected to `value`;
// the note is the tape's last line.
std::unique_ptr<Calculator> Correct(std::string_view script, std::size_t which, std::string_view value,
                                    const EngineSettings& settings = {}) {
  auto typed = std::make_unique<Calculator>(settings);
  typed->Keys(script);
  const auto plan = PlanCorrection(typed->engine.record(), which, value);
  if (!plan) return nullptr;
  CorrectedInPlace(*typed, *plan);
  return typed;
}

void ExpectAsTypedRight(std::string_view wrong, std::size_t which, std::string_view value, std::string_view right,
                        const EngineSettings& settings = {}) {
  SCOPED_TRACE(std::string(wrong) + " -> " + std::string(right));
  const auto corrected = Correct(wrong, which, value, settings);
  ASSERT_NE(corrected, nullptr);
  Calculator typed(settings);
  typed.Keys(right);
  typed.engine.AppendTapeLine(corrected->host.tape.back(), "");
  EXPECT_EQ(corrected->host.tape, typed.host.tape);
  EXPECT_EQ(corrected->host.display, typed.host.display);
  EXPECT_EQ(corrected->host.items, typed.host.items);
  EXPECT_EQ(corrected->host.average, typed.host.average);
  EXPECT_EQ(corrected->host.memory, typed.host.memory);
  EXPECT_EQ(corrected->engine.state().banks.text, typed.engine.state().banks.text);
}

TEST(EntryCorrection, ChainsComeOutAsIfTypedRight) {
  ExpectAsTypedRight("1 2 + 3 0 + 5 =", 1, "31", "1 2 + 3 1 + 5 =");
  ExpectAsTypedRight("1 2 + 3 0 + 5 + =", 1, "3.75", "1 2 + 3 . 7 5 + 5 + =", AddingMachine());
  ExpectAsTypedRight("2 0 0 * 1 5 % MS 7 + MR = C 4 +", 1, "-8", "2 0 0 * 8 +/- % MS 7 + MR = C 4 +");
  ExpectAsTypedRight("1 0 / 4 = Back 9 +", 1, "0", "1 0 / 0 = Back 9 +");  // now a division by zero
}

// A number typed after Back or +/- on an empty entry is a number of its own;
// one whose digits are split by keys that leave the entry open is one number.
TEST(EntryCorrection, NumbersAreCountedAsTyped) {
  ExpectAsTypedRight("1 + Back 2 + 3 =", 1, "9", "1 + Back 9 + 3 =");
  ExpectAsTypedRight("1 + 2 = +/- 5 + 3 =", 2, "7", "1 + 2 = +/- 7 + 3 =");
  ExpectAsTypedRight("5 6 Feed 7 + 1 =", 0, "4", "4 Feed + 1 =");
  ExpectAsTypedRight("9 + 5 2nd 6 Chg 7 =", 1, "-8", "9 + 8 +/- 2nd Chg =");

  Calculator typed;
  typed.Keys("1 + Back 2 + 5 6 Feed 7 + 3 Feed =");
  const InputRecord& record = typed.engine.record();
  ASSERT_EQ(EnteredNumbers(record).size(), 4u);
  EXPECT_EQ(ShownNumber(record, 2), "567");
  // "1", "2 +", "", "567 +", "", "3 +", ...: each typed number's line leads to it.
  EXPECT_EQ(EnteredNumberOnLine(record, 1), 1u);
  EXPECT_EQ(EnteredNumberOnLine(record, 3), 2u);
  EXPECT_EQ(EnteredNumberOnLine(record, 5), 3u);
}

TEST(EntryCorrection, TheNoteSaysWhatChangedAndBadValuesAreRefused) {
  const auto corrected = Correct("1 2 + 3 0 =", 1, "15");
  ASSERT_NE(corrected, nullptr);
  EXPECT_EQ(corrected->host.tape.back(), "(Corrected 30 to 15)");
  Calculator typed;
  typed.Keys("1 2 + 3 0 Back 0 =");
  EXPECT_EQ(ShownNumber(typed.engine.record(), 1), "30");
  const auto plan = PlanCorrection(typed.engine.record(), 1, "7");
  ASSERT_TRUE(plan.has_value());
  EXPECT_EQ(plan->shownBefore, "30");
  const std::string first = typed.host.tape.front();
  CorrectedInPlace(typed, *plan);
  EXPECT_EQ(typed.host.tape.front(), first) << "\"12 +\" stays as it is";
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
    Calculator& corrected = typed;
    const CorrectionUndo undo = CorrectedInPlace(corrected, *plan).undo;
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
    corrected.engine.PressKey(Key::ClearTape);
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
  for (std::size_t line : {2u, 3u, 4u, 5u, 6u, 7u, 99u})
    EXPECT_EQ(EnteredNumberOnLine(record, line), std::nullopt) << line;

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

// What the banks hold, bit for bit, as the engine and its settings say.
void ExpectSameBanks(Calculator& window, Calculator& fresh) {
  const EngineState& a = window.engine.state();
  const EngineState& b = fresh.engine.state();
  EXPECT_EQ(a.banks.text, b.banks.text);
  for (std::size_t bank = 0; bank < 2; ++bank) {
    EXPECT_TRUE(SameBits(a.banks.value[bank], b.banks.value[bank])) << "bank " << bank;
    for (std::string_view key : {memory_keys::kBankText[bank], memory_keys::kBankValue[bank]}) {
      EXPECT_EQ(window.setting("Memory", std::string(key)), fresh.setting("Memory", std::string(key))) << key;
    }
  }
  // And what the memory keys did, where a later correction looks for it.
  const auto changes = [](const Calculator& calculator) {
    std::vector<std::tuple<BankChange::Kind, int, std::size_t>> all;
    for (const BankChange& c : calculator.engine.record().bankChanges) all.emplace_back(c.kind, c.bank, c.input);
    return all;
  };
  EXPECT_EQ(changes(window), changes(fresh));
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
    for (const char* name :
         {"1", "2", "3",  "4",  "5",  "6",  "7",  "8",  "9",   "0",  ".", "Back", "+",   "+",    "+",   "-",  "*", "/",
          "=", "%", "MS", "M+", "M+", "M+", "MR", "MC", "2nd", "CE", "C", "+Tax", "+/-", "Feed", "Hex", "Dec"}) {
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
      const auto plan = PlanCorrection(record, which, value);
      if (!plan) continue;
      Calculator fresh;
      fresh.host.tape.clear();
      fresh.engine.Replay(plan->record);

      const MadeCorrection made = CorrectedInPlace(window, *plan);
      rejoined += made.stoppedEarly;
      fresh.engine.AppendTapeLine(made.splice.note, "");
      ++corrections;

      ASSERT_EQ(window.host.tape, fresh.host.tape);
      ASSERT_EQ(std::tie(window.host.display, window.host.items, window.host.average, window.host.memory),
                std::tie(fresh.host.display, fresh.host.items, fresh.host.average, fresh.host.memory));
      ASSERT_EQ(window.engine.record().inputs, fresh.engine.record().inputs);
      ASSERT_EQ(window.engine.record().tapeLines, fresh.engine.record().tapeLines);
      ExpectSameBanks(window, fresh);
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

// A long adding-machine tape whose totals all go into memory: a corrected
// first number changes the banks to the end, yet the rest of the tape stands
// and the banks are worked out without replaying it; the same then holds for
// the next correction, which starts from the checkpoints the first one left.
TEST(EntryCorrection, OnAMemoryTapeOnlyTheBanksFollowTheChange) {
  Calculator window(AddingMachine());
  for (int n = 1; n <= 3000; ++n) {
    for (const char digit : std::to_string(n * 37 % 1000 + 1)) window.Keys(std::string(1, digit));
    window.Keys(n % 20 ? "+" : "=");
    if (n % 20 == 0) window.Keys(n % 40 ? "M+" : "2nd M+ 2nd");
  }
  for (const auto& [which, value] : {std::pair<std::size_t, std::string>{0, "5000"}, {1500, "7.25"}}) {
    SCOPED_TRACE("number " + std::to_string(which));
    const InputRecord record = window.engine.record();
    const auto plan = PlanCorrection(record, which, value);
    ASSERT_TRUE(plan.has_value());
    Calculator fresh;
    fresh.host.tape.clear();
    fresh.engine.Replay(plan->record);
    const std::array<std::string, 2> banksBefore = window.engine.state().banks.text;

    const MadeCorrection made = CorrectedInPlace(window, *plan);
    EXPECT_TRUE(made.stoppedEarly) << "the replay should stop at the next checkpoint";
    fresh.engine.AppendTapeLine(made.splice.note, "");
    EXPECT_NE(window.engine.state().banks.text, banksBefore);
    EXPECT_EQ(window.host.tape, fresh.host.tape);
    EXPECT_EQ(std::tie(window.host.display, window.host.memory), std::tie(fresh.host.display, fresh.host.memory));
    ExpectSameBanks(window, fresh);
  }
}

// A session as typed, token by token: each typed number is a token of its
// own, typed into an empty entry, with Back, +/-, Feed, 2nd and Chg (an
// operator pending) among its digits and a key that takes it after it;
// between numbers come keys that leave the entry empty, Back and +/- among
// them. Retyping a number is substituting its token.
struct SessionToken {
  std::vector<std::string> keys;
  bool number = false, decimal = true;
  std::vector<std::string> kept;  // the number's keys that leave the entry open
};

class RandomSession {
 public:
  RandomSession(std::mt19937& random, const EngineSettings& settings) : random_(random), typing_(settings) {}

  std::vector<SessionToken> Make(int numbers) {
    for (int n = 0; n < numbers; ++n) {
      while (random_() % 3 == 0) {
        Add(Pick({"Back", "+/-", "+/-", "Feed", "2nd", "Chg", "MR", "CE", "Clear", "Hex", "Dec"}));
      }
      AddNumber();
      std::string closer;
      do closer = Pick({"+", "+", "-", "*", "/", "=", "%", "MS", "M+"});
      while (!Enabled(closer));
      Add(closer);
    }
    return std::move(tokens_);
  }

  // A number typable where `token` was.
  std::string NewValue(const SessionToken& token) {
    std::string value;
    for (unsigned digits = 1 + random_() % 4; digits > 0; --digits) value.push_back(Digit(token.decimal));
    if (token.decimal && random_() % 4 == 0) value.insert(random_() % (value.size() + 1), ".");
    if (token.decimal && random_() % 4 == 0) value.insert(0, "-");
    return value;
  }

 private:
  std::string Pick(std::initializer_list<const char*> keys) { return keys.begin()[random_() % keys.size()]; }
  char Digit(bool decimal) { return "0123456789ABCDEF"[random_() % (decimal ? 10 : 16)]; }
  bool Enabled(const std::string& key) { return typing_.engine.IsKeyEnabled(*KeyFromScriptName(key)); }
  void Press(SessionToken& token, const std::string& key) {
    token.keys.push_back(key);
    typing_.Keys(key);
  }
  void Add(const std::string& key) { Press(tokens_.emplace_back(), key); }

  void AddNumber() {
    const EngineState& state = typing_.engine.state();
    SessionToken& token = tokens_.emplace_back();
    token.number = true;
    token.decimal = state.IsDecimal();
    for (unsigned digits = 1 + random_() % 4; digits > 0; --digits) {
      Press(token, std::string(1, Digit(token.decimal)));
      if (random_() % 2) continue;
      const std::string inside = Pick({"Back", "+/-", "Feed", "2nd", "Chg", "."});
      const std::string& entry = state.entryText;
      // Back only where it leaves a digit: an emptied entry ends the number.
      if (inside == "Back" && (entry.size() < 2 || (entry.size() == 2 && entry[0] == '-'))) continue;
      if ((inside == "Chg" && state.itemCount == 0) || !Enabled(inside)) continue;
      Press(token, inside);
      if (inside == "Feed" || inside == "2nd" || inside == "Chg") token.kept.push_back(inside);
    }
  }

  std::mt19937& random_;
  Calculator typing_;
  std::vector<SessionToken> tokens_;
};

void TypeTokens(Calculator& calculator, const std::vector<SessionToken>& tokens) {
  for (const SessionToken& token : tokens) {
    for (const std::string& key : token.keys) calculator.Keys(key);
  }
}

// The keys of `value` typed in place of the number, the keys among its
// digits that left the entry open kept after them.
SessionToken Retyped(const SessionToken& number, const std::string& value) {
  SessionToken retyped = number;
  retyped.keys.clear();
  for (const char c : value) {
    if (c != '-') retyped.keys.emplace_back(1, c);
  }
  if (value.front() == '-') retyped.keys.push_back("+/-");
  retyped.keys.insert(retyped.keys.end(), number.kept.begin(), number.kept.end());
  return retyped;
}

TEST(EntryCorrection, ACorrectionGivesTheTapeOfTheSessionRetyped) {
  std::mt19937 random(2026);
  int checkpointed = 0;
  for (int session = 0; session < 40; ++session) {
    SCOPED_TRACE("session " + std::to_string(session));
    const EngineSettings settings = random() % 2 ? AddingMachine() : EngineSettings{};
    RandomSession maker(random, settings);
    const std::vector<SessionToken> tokens = maker.Make(20 + static_cast<int>(random() % 100));
    std::vector<std::size_t> numbers;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
      if (tokens[t].number) numbers.push_back(t);
    }
    Calculator typed(settings);
    TypeTokens(typed, tokens);
    const InputRecord& record = typed.engine.record();
    ASSERT_EQ(EnteredNumbers(record).size(), numbers.size());

    for (int round = 0; round < 3; ++round) {
      const std::size_t which = random() % numbers.size();
      const SessionToken& number = tokens[numbers[which]];
      const std::string value = maker.NewValue(number);
      SCOPED_TRACE("number " + std::to_string(which) + " retyped as " + value);
      std::vector<SessionToken> retypedTokens = tokens;
      retypedTokens[numbers[which]] = Retyped(number, value);
      Calculator retyped(settings);
      TypeTokens(retyped, retypedTokens);

      const auto plan = PlanCorrection(record, which, value);
      ASSERT_TRUE(plan.has_value());
      Calculator fresh(settings);
      fresh.host.tape.clear();
      fresh.engine.Replay(plan->record);
      ASSERT_EQ(fresh.host.tape, retyped.host.tape);
      ASSERT_EQ(fresh.host.display, retyped.host.display);

      checkpointed += CheckpointBefore(record, plan->replaced.firstInput) != nullptr;
      Calculator window(settings);
      TypeTokens(window, tokens);
      retyped.engine.AppendTapeLine(CorrectedInPlace(window, *plan).splice.note, "");
      ASSERT_EQ(window.host.tape, retyped.host.tape);
      ASSERT_EQ(window.host.display, retyped.host.display);
    }
  }
  EXPECT_GT(checkpointed, 10) << "corrections after a checkpoint, in the window's way";
}

}  // namespace
}  // namespace tallix::testing
