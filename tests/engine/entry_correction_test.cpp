// A typed number corrected afterwards gives the tape, display and panes that
// typing it right would have given: checked against the keys typed right.
#include "engine/entry_correction.h"

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

TEST(EntryCorrection, OnlyLinesOfTypedNumbersLeadToThem) {
  Calculator typed(AddingMachine());
  typed.Keys("1 2 + 3 0 + + MR + =");
  typed.engine.AppendTapeLine("(Length) Feet: 3", "");
  // "12 +", "30 +", "30 +" (repeated), "0 +" (recalled), dashes, "72 =", "", the side tool's line.
  const InputRecord& record = typed.engine.record();
  EXPECT_EQ(EnteredNumberOnLine(record, 0), 0u);
  EXPECT_EQ(EnteredNumberOnLine(record, 1), 1u);
  for (std::size_t line : {2u, 3u, 4u, 5u, 6u, 7u, 99u}) EXPECT_EQ(EnteredNumberOnLine(record, line), std::nullopt) << line;
}

}  // namespace
}  // namespace tallix::testing
