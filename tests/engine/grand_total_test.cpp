// The grand total: what adds into it, what Grand Total shows and writes, the
// double press that clears it, and a correction that changes it as retyping
// would.
#include <sstream>

#include "engine/display_text.h"
#include "engine/entry_correction.h"
#include "engine/virtual_keys.h"
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

EngineSettings WithGrandTotal(EngineSettings settings = {}) {
  settings.grandTotalOn = true;
  return settings;
}

// A key script in which "GT" is Edit > Grand Total.
void Type(Calculator& calc, std::string_view script) {
  std::istringstream words{std::string(script)};
  for (std::string word; words >> word;) {
    if (word == "GT") {
      calc.engine.GrandTotal();
    } else {
      calc.Keys(word);
    }
  }
}

// The sum of the values the tape's results show.
Real SumOfResults(const Lines& tape) {
  Real sum = 0;
  for (const std::string& line : tape)
    if (line.ends_with(" =")) sum += ReadDecimal(line);
  return sum;
}

TEST(GrandTotal, EveryEqualsAddsItsResultAsShownWhileOn) {
  Calculator calc(WithGrandTotal(Decimals(2)));
  Type(calc, "1 / 3 = 2 / 3 = 2 0 0 * 5 0 % 1 - 9 =");  // 0.33 + 0.67 + 100.00 + -8.00
  EXPECT_EQ(calc.engine.state().grandTotal, Exact<Real>(SumOfResults(calc.host.tape)));
  EXPECT_EQ(calc.host.memory, " M1 GT");
  EXPECT_EQ(calc.setting("Memory", "GT"), "93");
  calc.NewTape();
  Type(calc, "GT");
  EXPECT_EQ(calc.NewTape(), (Lines{"93.00 GT"}));
  EXPECT_EQ(calc.display(), "93.00");
  // Taken on as a recalled number is; clearing the calculation or the tape leaves it.
  Type(calc, "* 2 = Clear CT");
  EXPECT_EQ(calc.engine.state().grandTotal, Exact<Real>(93 + 186));

  Calculator adding(WithGrandTotal(AddingMachine()));
  Type(adding, "1 0 + 5 - = 7 + =");
  EXPECT_EQ(adding.engine.state().grandTotal, Exact<Real>(12));
}

TEST(GrandTotal, OffItAddsNothingAndItsCommandDoesNothing) {
  Calculator calc(Decimals(2));
  Type(calc, "1 + 2 = GT GT");
  EXPECT_EQ(calc.engine.state().grandTotal, Exact<Real>(0));
  EXPECT_EQ(calc.NewTape().back(), "");
  EXPECT_EQ(calc.host.memory, " M1");
  EXPECT_EQ(calc.setting("Memory", "GT"), "<missing>");
  // Ctrl+G gives change, as G does, as it did before there was a grand total.
  calc.engine.OnKeyDown(vk::kControl);
  calc.engine.OnKeyDown(vk::Letter('G'));
  EXPECT_EQ(calc.NewTape(), (Lines{"3.00 - 3.00", kDashes, "0.00 CH", ""}));
}

TEST(GrandTotal, TwiceInARowClearsItAndSaysSo) {
  Calculator calc(WithGrandTotal());
  Type(calc, "4 + 5 = GT 1 GT");  // a key between: shown again
  EXPECT_EQ(calc.NewTape(), (Lines{"4  ", "5 +", kDashes, "9 =", "", "9 GT", "9 GT"}));
  // By Ctrl+G, with Ctrl and the G let go and NumLock read between the presses.
  for (const int key : {vk::kControl, vk::Letter('G')}) calc.engine.OnKeyDown(key);
  EXPECT_EQ(calc.NewTape(), (Lines{"GT Clear"}));
  EXPECT_EQ(calc.engine.state().grandTotal, Exact<Real>(0));
  EXPECT_EQ(calc.host.memory, " M1");
  EXPECT_EQ(calc.setting("Memory", "GT"), "0");
  for (const int key : {vk::Letter('G'), vk::kControl}) calc.engine.OnKeyUp(key);
  calc.engine.OnKeyDown(vk::kControl);
  calc.engine.OnKeyDown(vk::Letter('G'));
  calc.engine.OnKeyUp(vk::Letter('G'));
  calc.engine.UpdateNumLock();
  calc.engine.OnKeyDown(vk::kShift);
  calc.engine.OnKeyDown(vk::Letter('G'));
  EXPECT_EQ(calc.NewTape(), (Lines{"0 GT", "GT Clear"}));
}

TEST(GrandTotal, OtherSystemsShowItInTheirOwn) {
  Calculator calc(WithGrandTotal());
  Type(calc, "2 5 5 = Hex GT");
  EXPECT_EQ(calc.NewTape().back(), "(Hex) FF GT");
  EXPECT_EQ(calc.display(), "FF");
}

TEST(GrandTotal, StartsFromTheKeptValueAndFollowsTheSwitch) {
  EngineSettings settings = WithGrandTotal();
  settings.grandTotal = 12.5L;
  settings.banks.text[0] = "3";
  Calculator calc(settings);
  EXPECT_EQ(calc.host.memory, " M1 = 3 GT");
  calc.engine.SetGrandTotal(false);
  EXPECT_EQ(calc.host.memory, " M1 = 3");
  Type(calc, "1 + 1 =");
  EXPECT_EQ(calc.engine.state().grandTotal, Exact<Real>(12.5L));
  calc.engine.SetGrandTotal(true);
  EXPECT_EQ(calc.host.memory, " M1 = 3 GT");
  EXPECT_EQ(calc.engine.record().inputs.back().kind, EngineInput::Kind::SetGrandTotal);
}

// Past many checkpoints, so that a replay that stopped where the rest of the
// calculator stands as it stood would keep a grand total it changed.
TEST(GrandTotal, ACorrectionChangesItAsRetypingWould) {
  std::string wrong = "1 2 + 3 = GT ", right = "2 0 + 3 = GT ";
  for (int i = 0; i < 100; ++i) wrong += "1 + 1 = ", right += "1 + 1 = ";
  wrong += "GT", right += "GT";
  Calculator corrected(WithGrandTotal());
  Type(corrected, wrong);
  const auto plan = PlanCorrection(corrected.engine.record(), 0, "20");
  ASSERT_TRUE(plan.has_value());
  std::vector<std::string>& tape = corrected.host.tape;
  CorrectInPlace(corrected.engine, *plan, corrected.host, 0, [&](const TapeSplice& s) { SpliceLines(tape, s); });
  Calculator typed(WithGrandTotal());
  Type(typed, right);
  typed.engine.AppendTapeLine(tape.back(), "");  // the correction's note
  EXPECT_EQ(tape, typed.host.tape);
  EXPECT_EQ(corrected.display(), typed.display());
  EXPECT_EQ(corrected.engine.state(), typed.engine.state());
  EXPECT_EQ(corrected.setting("Memory", "GT"), "223");
}

}  // namespace
}  // namespace tallix::testing
