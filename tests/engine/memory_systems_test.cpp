// Memory banks in every number system, tax, change, reciprocal, and the
// number-system switch with its keys, markers and settings.
#include "engine/display_text.h"
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

TEST(Memory, AddTwiceToAnEmptyBank) {
  Calculator calc(Decimals(2));
  calc.Keys("5 M+ M+");
  EXPECT_EQ(calc.host.memory, " M1 = 10.00");
  EXPECT_EQ(calc.NewTape(), (Lines{"5.00 M+", "5.00 M+"}));
  EXPECT_EQ(calc.display(), "5.00");
  EXPECT_EQ(calc.setting("Memory", "M1"), "10.00");
  EXPECT_EQ(calc.setting("Memory", "M1v"), "10");
}

TEST(Memory, SetRecallClear) {
  Calculator calc;
  calc.Keys("1 2 3 4 . 5 MS");
  EXPECT_EQ(calc.host.memory, " M1 = 1,234.5");
  EXPECT_EQ(calc.NewTape(), (Lines{"1,234.5 MS"}));
  EXPECT_EQ(calc.setting("Memory", "M1v"), "1234.5");
  calc.Keys("Clear MR");
  EXPECT_EQ(calc.display(), "1,234.5");
  EXPECT_TRUE(calc.engine.state().entryMade);
  calc.Keys("MC");
  EXPECT_EQ(calc.host.memory, " M1");
  EXPECT_EQ(calc.NewTape(), (Lines{"Clear", "M1 Clear"}));
  EXPECT_EQ(calc.setting("Memory", "M1"), "");
  EXPECT_EQ(calc.setting("Memory", "M1v"), "");
  calc.Keys("MR");
  EXPECT_EQ(calc.display(), "0");
}

TEST(Memory, RecalledValueIsTheNextOperand) {
  Calculator calc;
  calc.Keys(". 2 5 MS Clear 4 + MR =");
  EXPECT_EQ(calc.display(), "4.25");
  EXPECT_EQ(calc.setting("Memory", "M1v"), ".25");
}

TEST(Memory, SecondBank) {
  Calculator calc;
  calc.Keys("7 MS 2nd");
  EXPECT_TRUE(calc.host.bank2Shown);
  EXPECT_EQ(calc.host.memory, " M2");
  calc.Keys("9 MS");
  EXPECT_EQ(calc.host.memory, " M2 = 9");
  EXPECT_EQ(calc.setting("Memory", "M2"), "9");
  calc.Keys("2nd");
  EXPECT_FALSE(calc.host.bank2Shown);
  EXPECT_EQ(calc.host.memory, " M1 = 7");
  calc.Keys("2nd MC");
  EXPECT_EQ(calc.NewTape(), (Lines{"7 MS", "9 MS", "M2 Clear"}));
  EXPECT_EQ(calc.engine.state().banks.text[0], "7");
}

TEST(Memory, BothBanksInEveryNumberSystem) {
  struct Case {
    const char* system;
    const char* keys;  // stores 255 in bank 1, then adds 1 to bank 2 twice
    const char* text1;
    const char* text2;
  };
  const Case cases[] = {
      {"Dec", "2 5 5", "255", "2"},
      {"Hex", "F F", "FF", "2"},
      {"Bin", "1 1 1 1 1 1 1 1", "11111111", "10"},
      {"Oct", "3 7 7", "377", "2"},
  };
  for (const Case& c : cases) {
    Calculator calc;
    calc.Keys(c.system).Keys(c.keys).Keys("MS 2nd Clear 1 M+ M+");
    EXPECT_EQ(calc.engine.state().banks.text[0], c.text1) << c.system;
    EXPECT_EQ(calc.engine.state().banks.value[0], 255) << c.system;
    EXPECT_EQ(calc.engine.state().banks.text[1], c.text2) << c.system;
    EXPECT_EQ(calc.engine.state().banks.value[1], 2) << c.system;
    EXPECT_EQ(calc.host.memory, std::string(" M2 = ") + c.text2) << c.system;
    EXPECT_EQ(calc.setting("Memory", "M1v"), "255") << c.system;
    calc.Keys("2nd MR");
    EXPECT_EQ(calc.display(), c.text1) << c.system;
  }
}

TEST(Memory, HexStoreRecalledInDecimal) {
  Calculator calc;
  calc.Keys("Hex F F MS");
  EXPECT_EQ(calc.host.memory, " M1 = FF");
  calc.Keys("Dec MR");
  EXPECT_EQ(calc.display(), "255");
}

TEST(Memory, LoadedAtStartUp) {
  EngineSettings settings;
  settings.banks = {{"12.50", "3"}, {12.5L, 3}};
  Calculator calc(settings);
  EXPECT_EQ(calc.host.memory, " M1 = 12.50");
  calc.Keys("MR");
  EXPECT_EQ(calc.display(), "12.5");
}

TEST(Tax, AddsTheRateAndTapesTheAmountBefore) {
  EngineSettings settings = Decimals(2);
  settings.taxRate = 8.25f;
  Calculator calc(settings);
  calc.Keys("1 0 0 +Tax");
  EXPECT_EQ(calc.NewTape(), (Lines{"100.00 Tx"}));
  EXPECT_EQ(calc.display(), "108.25");
  calc.Keys("+ =");
  EXPECT_EQ(calc.NewTape(), (Lines{"108.25  ", kDashes, "108.25 =", ""}));
}

TEST(Change, FromTheLastTotal) {
  Calculator calc(Decimals(2));
  calc.Keys("2 + 1 . 5 0 =");
  EXPECT_EQ(calc.display(), "3.50");
  calc.NewTape();
  calc.Keys("5 Chg");
  EXPECT_EQ(calc.NewTape(), (Lines{"5.00 - 3.50", kDashes, "1.50 CH", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 1.5L);
  calc.Keys("2 Chg");
  EXPECT_EQ(calc.NewTape(), (Lines{"2.00 - 1.50", kDashes, "0.50 CH", ""}));
}

TEST(Change, NothingTendered) {
  Calculator calc(Decimals(2));
  calc.Keys("7 + =");
  calc.NewTape();
  calc.Keys("CE Chg");
  EXPECT_EQ(calc.NewTape(), (Lines{"No Change", kDashes, "0.00 CH", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 0);
}

TEST(Change, OnlyReformatsDuringACalculation) {
  Calculator calc(Decimals(2));
  calc.Keys("5 + 3 Chg");
  EXPECT_EQ(calc.NewTape(), (Lines{"5.00  "}));
  EXPECT_EQ(calc.display(), "3.00");
}

TEST(Reciprocal, OfFourAndOfZero) {
  Calculator calc;
  calc.Keys("4 1/x");
  EXPECT_EQ(calc.display(), "0.25");
  EXPECT_TRUE(calc.NewTape().empty());
  calc.Keys("+ 0 1/x");
  EXPECT_EQ(calc.display(), "Div0 Error");
  calc.Keys("=");
  EXPECT_EQ(calc.NewTape(), (Lines{"0.25  ", "0 +", kDashes, "0.25 =", ""}));
}

TEST(NumberSystems, DecimalToHexAndBack) {
  Calculator calc;
  calc.Keys("2 5 5 Hex");
  EXPECT_EQ(calc.display(), "FF");
  EXPECT_EQ(calc.host.checkedSystem, 1);
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting1"), "11");
  calc.Keys("Dec");
  EXPECT_EQ(calc.display(), "255");
  EXPECT_EQ(calc.NewTape(), (Lines{"(Hex)", "(Dec)"}));
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting1"), "10");
}

TEST(NumberSystems, NegativeOneIsThirtyTwoBitsUnsigned) {
  Calculator calc;
  calc.Keys("1 +/- Hex");
  EXPECT_EQ(calc.display(), "FFFFFFFF");
  calc.Keys("Dec");
  EXPECT_EQ(calc.display(), "4,294,967,295");
}

TEST(NumberSystems, TiesRoundToEven) {
  Calculator calc;
  calc.Keys("2 . 5 Bin");
  EXPECT_EQ(calc.display(), "10");
  calc.Keys("Dec 3 . 5 Bin");
  EXPECT_EQ(calc.display(), "100");
}

TEST(NumberSystems, MarkersAndRepeatedSelection) {
  Calculator calc;
  calc.Keys("Dec Hex Hex Oct Bin Dec Dec");
  EXPECT_EQ(calc.NewTape(), (Lines{"(Hex)", "(Hex)", "(Oct)", "(Bin)", "(Dec)"}));
}

TEST(NumberSystems, BinaryDivisionRoundsOnlyForDisplay) {
  Calculator calc;
  calc.Keys("Bin 1 1 / 1 0 =");
  EXPECT_EQ(calc.display(), "10");
  EXPECT_EQ(calc.NewTape(), (Lines{"(Bin)", "11  ", "10 \xF7", kDashes, "(Bin) 10 =", ""}));
  EXPECT_EQ(calc.engine.state().lastTotal, 1.5L);
}

TEST(NumberSystems, DisabledKeysDoNothing) {
  Calculator calc;
  calc.Keys("Bin 7 2 1 .");
  EXPECT_EQ(calc.display(), "1");
  EXPECT_FALSE(calc.host.enabled[static_cast<int>(Key::D2)]);
  EXPECT_TRUE(calc.host.enabled[static_cast<int>(Key::D1)]);
  EXPECT_FALSE(calc.host.enabled[static_cast<int>(Key::Point)]);
  calc.Keys("Hex");
  EXPECT_TRUE(calc.host.enabled[static_cast<int>(Key::F)]);
  EXPECT_FALSE(calc.host.enabled[static_cast<int>(Key::Tax)]);
  calc.Keys("Dec");
  EXPECT_FALSE(calc.host.enabled[static_cast<int>(Key::A)]);
  EXPECT_TRUE(calc.host.enabled[static_cast<int>(Key::Convert)]);
  EXPECT_TRUE(calc.host.enabled[static_cast<int>(Key::D9)]);
}

TEST(NumberSystems, EntryLimits) {
  Calculator calc;
  calc.Keys("Hex 1 2 3 4 5 6 7 8 9");
  EXPECT_EQ(calc.display(), "12345678");
  calc.Keys("A B");
  EXPECT_EQ(calc.display(), "12345678A");
  calc.Keys("Oct");
  for (int i = 0; i < 12; ++i) calc.Keys("7");
  EXPECT_EQ(calc.display(), "77777777777");
}

TEST(NumberSystems, AverageFollowsTheSystem) {
  Calculator calc;
  calc.Keys("Hex 1 A +");
  EXPECT_EQ(calc.host.average, " AVG = 1A (Hex)");
  calc.Keys("Dec");
  EXPECT_EQ(calc.host.average, " AVG = 26.00");
  calc.Keys("Oct");
  EXPECT_EQ(calc.host.average, " AVG = 32 (Oct)");
}

TEST(NumberSystems, CalculationSurvivesASwitch) {
  Calculator calc;
  calc.Keys("1 0 + Hex A =");
  EXPECT_EQ(calc.display(), "14");
  EXPECT_EQ(calc.NewTape(), (Lines{"10  ", "(Hex)", "A +", kDashes, "(Hex) 14 =", ""}));
}

TEST(NumberSystems, DivisionByZeroReadsAsZeroNotAsHexD) {
  for (const char* system : {"Hex", "Oct", "Bin"}) {
    Calculator calc;
    calc.Keys(system).Keys("1 / 0 /");
    EXPECT_EQ(calc.display(), "Div0 Error") << system;
    calc.Keys("+ 1 =");
    EXPECT_EQ(calc.engine.state().lastTotal, 2) << system;  // 1 + 0 + 1; "D" would have added 13
  }
  EXPECT_EQ(ReadInRadix(kDiv0Text, 16), 0);
}

TEST(NumberSystems, ClearLeavesAnEmptyDisplayThatReadsZero) {
  Calculator calc;
  calc.Keys("Hex F CE");
  EXPECT_EQ(calc.display(), "");
  calc.Keys("+ =");
  EXPECT_EQ(calc.NewTape(), (Lines{"(Hex)", "0  ", kDashes, "(Hex) 0 =", ""}));
}

TEST(NumberSystems, StartsInTheStoredSystem) {
  EngineSettings settings;
  settings.displayMode = 12;
  Calculator calc(settings);
  EXPECT_EQ(calc.engine.state().displayMode, 12);
  EXPECT_EQ(calc.engine.state().maxEntryLength, 32);
  EXPECT_EQ(calc.host.checkedSystem, 2);
}

TEST(NumberSystems, TextConversions) {
  EXPECT_EQ(WriteInRadix(-1, 16), "FFFFFFFF");
  EXPECT_EQ(WriteInRadix(4294967296.0L + 5, 16), "5");
  EXPECT_EQ(WriteInRadix(0x1p70L, 2), "0");
  EXPECT_EQ(WriteInRadix(255, 8), "377");
  EXPECT_EQ(WriteInRadix(-0.4L, 2), "0");
  EXPECT_EQ(ReadInRadix("ff", 16), 255);
  EXPECT_EQ(ReadInRadix("12G4", 16), 18);
  EXPECT_EQ(ReadInRadix("FFFFFFFFFFFFFFFF", 16), 18446744073709551615.0L);
  EXPECT_EQ(ReadInRadix("10000000000000000", 16), 0);  // beyond 64 bits
  EXPECT_EQ(ReadInRadix("", 2), 0);
  EXPECT_EQ(ReadInRadix("102", 2), 2);
}

}  // namespace
}  // namespace tallix::testing
