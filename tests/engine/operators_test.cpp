// Operators, equals and percent in both calculation modes, with the item count
// and the average they write.
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

const std::string kTimes = "\xD7";
const std::string kDivide = "\xF7";

TEST(StandardMode, AddsAndClosesTheCalculationWithThreeLines) {
  Calculator calc;
  calc.Keys("5 + 3 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  ", "3 +", kDashes, "8 =", ""}));
  EXPECT_EQ(calc.display(), "8");
  EXPECT_EQ(calc.host.items, "  2 Items");
  EXPECT_EQ(calc.engine.state().itemCount, 0);
  EXPECT_EQ(calc.engine.state().lastTotal, 8);
}

TEST(StandardMode, ChainsLeftToRightWithoutPrecedence) {
  Calculator calc;
  calc.Keys("2 + 3 * 4 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"2  ", "3 +", "4 " + kTimes, kDashes, "20 =", ""}));
  calc.Keys("2 * 3 + 4 =");
  EXPECT_EQ(calc.display(), "10");
  EXPECT_EQ(calc.host.average, " AVG = n/a");
}

TEST(StandardMode, RepeatedOperatorComputesNothing) {
  Calculator calc;
  calc.Keys("5 + +");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  "}));
  EXPECT_EQ(calc.host.items, "  1 Item");
  calc.Keys("3 =");
  EXPECT_EQ(calc.display(), "8");
}

TEST(StandardMode, OperatorAfterResultStartsFromTheDisplay) {
  Calculator calc;
  calc.Keys("5 + 3 = + 2 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  ", "3 +", kDashes, "8 =", "", "8  ", "2 +", kDashes, "10 =", ""}));
}

TEST(StandardMode, EqualsTwiceRepeatsTheResultLine) {
  Calculator calc;
  calc.Keys("5 + 3 = =");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  ", "3 +", kDashes, "8 =", "", kDashes, "8 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 8);
  EXPECT_EQ(calc.host.items, "  0 Items");
}

TEST(StandardMode, EqualsAloneRecordsTheTypedNumber) {
  Calculator calc;
  calc.Keys("7 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"7  ", kDashes, "7 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 7);
}

TEST(StandardMode, MinusAndDivideShowTheirSymbols) {
  Calculator calc;
  calc.Keys("9 - 4 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"9  ", "4 -", kDashes, "5 =", ""}));
  calc.Keys("2 / 3 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"2  ", "3 " + kDivide, kDashes, "0.6666666667 =", ""}));
}

TEST(DivisionByZero, KeepsTheTotalAndShowsTheErrorText) {
  Calculator calc;
  calc.Keys("6 /");
  EXPECT_EQ(calc.display(), "6");
  calc.Keys("0 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"6  ", "Div0 Error " + kDivide, kDashes, "0 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 6);
  EXPECT_EQ(calc.host.items, "  2 Items");
}

TEST(DivisionByZero, ErrorDisplayReadsAsZeroForTheNextOperator) {
  Calculator calc;
  calc.Keys("6 / 0 /");
  EXPECT_EQ(calc.display(), "Div0 Error");
  calc.Keys("+ 2 =");
  EXPECT_EQ(calc.display(), "8");  // 6 + 2: the error display added nothing
}

TEST(DivisionByZero, InAddingMachineByEqualsHasABlankSymbol) {
  Calculator calc(AddingMachine());
  calc.Keys("6 / 0 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"6 " + kDivide, "Div0 Error  ", kDashes, "0 =", ""}));
}

TEST(AddingMachine, ExampleWithTwoFixedDecimals) {
  Calculator calc(AddingMachine(Decimals(2)));
  calc.Keys("1 0 + 5 - +");
  EXPECT_EQ(calc.host.average, " AVG = 3.33");
  calc.Keys("=");
  EXPECT_EQ(calc.NewTape(), (Lines{"10.00 +", "5.00 -", "5.00 +", kDashes, "10.00 =", ""}));
  EXPECT_EQ(calc.host.items, "  3 Items");
}

TEST(AddingMachine, OperatorWithoutEntryRepeatsTheLastNumber) {
  Calculator calc(AddingMachine());
  calc.Keys("5 + + =");
  EXPECT_EQ(calc.NewTape(), (Lines{"5 +", "5 +", kDashes, "10 =", ""}));
}

TEST(AddingMachine, MinusFirstNegatesTheNumber) {
  Calculator calc(AddingMachine());
  calc.Keys("5 -");
  EXPECT_EQ(calc.NewTape(), (Lines{"-5 -"}));
  EXPECT_EQ(calc.engine.state().total, -5);
  EXPECT_EQ(calc.host.average, " AVG = -5.00");
}

TEST(AddingMachine, MinusFirstOnANegativeResultSubtractsIt) {
  Calculator calc(AddingMachine());
  calc.Keys("5 - =");
  EXPECT_EQ(calc.display(), "-5");
  calc.Keys("- =");
  EXPECT_EQ(calc.NewTape(), (Lines{"-5 -", kDashes, "-5 =", "", "5 -", kDashes, "5 =", ""}));
}

TEST(AddingMachine, MinusFirstOnZeroStaysUnsigned) {
  Calculator calc(AddingMachine(Decimals(2)));
  calc.Keys("0 - =");
  EXPECT_EQ(calc.NewTape(), (Lines{"0.00 -", kDashes, "0.00 =", ""}));
}

TEST(AddingMachine, TimesAndDivideByEqualsHaveABlankSymbol) {
  Calculator calc(AddingMachine());
  calc.Keys("6 * 7 =");
  EXPECT_EQ(calc.NewTape(), (Lines{"6 " + kTimes, "7  ", kDashes, "42 =", ""}));
  calc.Keys("8 / 2 /");
  EXPECT_EQ(calc.NewTape(), (Lines{"8 " + kDivide, "2 " + kDivide}));
}

TEST(AddingMachine, KeyAfterANumberDecidesItsOperation) {
  Calculator calc(AddingMachine());
  calc.Keys("1 0 + 4 - 3 + =");
  EXPECT_EQ(calc.NewTape(), (Lines{"10 +", "4 -", "3 +", kDashes, "9 =", ""}));
}

TEST(Percent, WithEveryPendingOperator) {
  struct Case {
    const char* keys;
    Lines tape;
  };
  const Case cases[] = {
      {"5 0 %", {"50 %", kDashes, "0.5 =", ""}},
      {"2 0 0 - 1 0 %", {"200  ", "10% -", kDashes, "180 =", ""}},
      {"2 0 0 + 1 0 %", {"200  ", "10% +", kDashes, "220 =", ""}},
      {"2 0 0 * 1 0 %", {"200  ", "10% " + kTimes, kDashes, "20 =", ""}},
      {"2 0 0 / 1 0 %", {"200  ", "10% " + kDivide, kDashes, "2,000 =", ""}},
  };
  for (const Case& c : cases) {
    Calculator calc;
    calc.Keys(c.keys);
    EXPECT_EQ(calc.NewTape(), c.tape) << c.keys;
    EXPECT_EQ(calc.engine.state().pendingOp, Operator::None) << c.keys;
  }
}

TEST(Percent, GroupedDisplayReadsWhole) {
  Calculator calc;
  calc.Keys("1 2 3 4");
  EXPECT_EQ(calc.display(), "1,234");
  calc.Keys("%");
  EXPECT_EQ(calc.NewTape(), (Lines{"1234 %", kDashes, "12.34 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 1234 / 100.0L);
}

TEST(Percent, DividingByZeroPercentIsADivisionByZero) {
  Calculator calc;
  calc.Keys("2 0 0 / 0 %");
  EXPECT_EQ(calc.NewTape(), (Lines{"200  ", "0% " + kDivide, kDashes, "0 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 200);
}

TEST(Average, RunsOverAdditionsAndSubtractions) {
  Calculator calc;
  calc.Keys("1 0 +");
  EXPECT_EQ(calc.host.average, " AVG = 10.00");
  calc.Keys("2 0 +");
  EXPECT_EQ(calc.host.average, " AVG = 15.00");
  calc.Keys("3 0 =");
  EXPECT_EQ(calc.host.average, " AVG = 20.00");
  EXPECT_EQ(calc.host.items, "  3 Items");
}

TEST(Average, TimesMakesItMeaninglessUntilTheNextCalculation) {
  Calculator calc;
  calc.Keys("4 * 2 =");
  EXPECT_EQ(calc.host.average, " AVG = n/a");
  calc.Keys("5 + 1 +");
  EXPECT_EQ(calc.host.average, " AVG = 3.00");
}

TEST(Average, StaysWhileTimesHoldsTheCalculation) {
  Calculator calc;
  calc.Keys("1 0 + 2 * 3 +");
  EXPECT_EQ(calc.host.average, " AVG = n/a");
  EXPECT_EQ(calc.display(), "36");
}

TEST(Average, GroupedWithTwoDecimals) {
  Calculator calc;
  calc.Keys("1 2 3 4 . 5 +");
  EXPECT_EQ(calc.host.average, " AVG = 1,234.50");
}

TEST(ItemCount, CountsRecordedNumbersOnly) {
  Calculator calc;
  calc.Keys("1 +");
  EXPECT_EQ(calc.host.items, "  1 Item");
  calc.Keys("+ + 2 +");
  EXPECT_EQ(calc.host.items, "  2 Items");
  calc.Keys("Clear");
  EXPECT_EQ(calc.host.items, "  0 Items");
  EXPECT_EQ(calc.host.average, " AVG = 0.00");
}

TEST(Overflow, NeverTraps) {
  Calculator calc;
  // Multiplying by 1e17 three hundred times leaves the extended range.
  calc.Keys("1 *");
  for (int i = 0; i < 300; ++i) calc.Keys("1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 *");
  calc.Keys("=");
  EXPECT_EQ(calc.NewTape().at(302), "Infinity =");
  // The display is the working value: it still reads as an infinity.
  calc.Keys("+ 1 =");
  EXPECT_EQ(calc.display(), "Infinity");
  calc.Keys("Clear 1 +");
  EXPECT_EQ(calc.display(), "1");
}

}  // namespace
}  // namespace tallix::testing
