// Number entry, the clear keys, sign change, the decimal settings, grouping
// and the automatic decimal point; and the floating-point mode they rely on.
#include <cfloat>

#include "engine/display_text.h"
#include "engine/float_mode.h"
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

TEST(FloatMode, ExtendedPrecisionAndRoundToNearest) {
  UseCalculatorFloatMode();
  volatile Real one = 1;
  volatile Real epsilon = LDBL_EPSILON;
  EXPECT_NE(one + epsilon, one);
  EXPECT_EQ(LDBL_MANT_DIG, 64);
#if defined(__i386__) || defined(__x86_64__)
  const unsigned word = X87ControlWord();
  EXPECT_EQ(word & 0x0300u, 0x0300u) << "precision control must be 64 bits";
  EXPECT_EQ(word & 0x0C00u, 0u) << "rounding must be to nearest";
  EXPECT_EQ(word & 0x003Fu, 0x003Fu) << "all exceptions masked";
#endif
}

TEST(FloatMode, EngineRestoresItFromReducedPrecision) {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
  unsigned short reduced = static_cast<unsigned short>((X87ControlWord() & ~0x0300u) | 0x0200u);  // 53 bits
  __asm__ volatile("fldcw %0" : : "m"(reduced));
  Calculator calc;
  EXPECT_EQ(X87ControlWord() & 0x0300u, 0x0300u);
  volatile Real one = 1;
  volatile Real epsilon = LDBL_EPSILON;
  EXPECT_NE(one + epsilon, one);
#endif
}

TEST(Entry, LeadingZeroIsReplaced) {
  Calculator calc;
  calc.Keys("0 5");
  EXPECT_EQ(calc.engine.state().entryText, "5");
  calc.Keys("CE 0 0");
  EXPECT_EQ(calc.engine.state().entryText, "0");
  EXPECT_EQ(calc.display(), "0");
}

TEST(Entry, LimitOfEighteenDigits) {
  Calculator calc(NoGrouping());
  for (int i = 0; i < 19; ++i) calc.Keys("7");
  EXPECT_EQ(calc.display(), std::string(18, '7'));
  EXPECT_TRUE(calc.engine.state().entryMade);
}

TEST(Entry, PointFirstAndTwice) {
  Calculator calc;
  calc.Keys(".");
  EXPECT_EQ(calc.display(), ".");
  calc.Keys("5 . 2 +");
  EXPECT_EQ(calc.NewTape(), (Lines{"0.5  "}));  // reads up to the second point
}

TEST(Entry, TypedDigitsShowAsTyped) {
  Calculator calc;
  calc.Keys("1 . 5 0");
  EXPECT_EQ(calc.display(), "1.50");
  calc.Keys("+");
  EXPECT_EQ(calc.display(), "1.5");
}

TEST(Entry, BackspaceEditsTheEntryOnly) {
  Calculator calc;
  calc.Keys("1 2 3 4 Back");
  EXPECT_EQ(calc.display(), "123");
  calc.Keys("Back Back Back");
  EXPECT_EQ(calc.display(), "0");
  calc.Keys("5 +/- Back");
  EXPECT_EQ(calc.engine.state().entryText, "");
  EXPECT_EQ(calc.display(), "0");
  calc.Keys("9 + 1 = Back");
  EXPECT_EQ(calc.display(), "10");  // a result is not edited
}

TEST(Entry, ClearEntryKeepsTheCalculation) {
  Calculator calc;
  calc.Keys("5 + 3 CE");
  EXPECT_EQ(calc.display(), "0");
  EXPECT_EQ(calc.engine.state().pendingOp, Operator::Plus);
  EXPECT_EQ(calc.engine.state().total, 5);
  calc.Keys("=");
  EXPECT_EQ(calc.display(), "5");
}

TEST(Entry, ClearWritesItsLineAndResetsThePanes) {
  Calculator calc;
  calc.Keys("5 + 3 Clear");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  ", "Clear"}));
  EXPECT_EQ(calc.display(), "0");
  EXPECT_EQ(calc.host.average, " AVG = 0.00");
  EXPECT_EQ(calc.host.items, "  0 Items");
  EXPECT_EQ(calc.engine.state().pendingOp, Operator::None);
}

TEST(Entry, ClearTapeAsksFirst) {
  Calculator calc;
  calc.Keys("5 + 3");
  calc.host.answerYes = false;
  calc.Keys("CT");
  ASSERT_EQ(calc.host.questions.size(), 1u);
  EXPECT_EQ(calc.host.questions[0], "Calculator|Clear tape history?  This also clears current calculations!\r\n");
  EXPECT_EQ(calc.host.tape.size(), 1u);
  EXPECT_EQ(calc.engine.state().itemCount, 1);

  calc.host.answerYes = true;
  calc.Keys("CT");
  EXPECT_TRUE(calc.host.tape.empty());
  EXPECT_EQ(calc.engine.state().itemCount, 0);
  EXPECT_EQ(calc.display(), "3");
  EXPECT_EQ(calc.host.average, " AVG = 5.00");  // untouched
}

TEST(Entry, ChangeSign) {
  Calculator calc;
  calc.Keys("+/-");
  EXPECT_EQ(calc.display(), "0");
  EXPECT_FALSE(calc.engine.state().entryMade);
  calc.Keys("1 2 3 4 . 5 +/-");
  EXPECT_EQ(calc.display(), "-1,234.5");
  EXPECT_EQ(calc.engine.state().entryText, "-1234.5");
  calc.Keys("+/-");
  EXPECT_EQ(calc.display(), "1,234.5");
  EXPECT_EQ(calc.engine.state().entryText, "1234.5");
}

TEST(Entry, ChangeSignOfAResultBecomesTheOperand) {
  Calculator calc;
  calc.Keys("5 + 3 + +/- =");
  EXPECT_EQ(calc.NewTape(), (Lines{"5  ", "3 +", "-8 +", kDashes, "0 =", ""}));
}

TEST(Decimals, FloatingDisplay) {
  Calculator calc;
  calc.Keys("2 / 3 =");
  EXPECT_EQ(calc.display(), "0.6666666667");
  calc.Keys("1 2 +");
  EXPECT_EQ(calc.display(), "12");
  calc.Keys("Clear . 5 +");
  EXPECT_EQ(calc.display(), "0.5");
}

TEST(Decimals, EveryFixedSetting) {
  const char* expected[] = {"3", "2.7", "2.68", "2.675", "2.6750"};
  for (int places = 0; places <= 4; ++places) {
    Calculator calc(Decimals(places));
    calc.Keys("2 . 6 7 5 +");
    EXPECT_EQ(calc.display(), expected[places]) << places;
  }
}

TEST(Decimals, TiesJustBelowAreLifted) {
  Calculator calc(Decimals(2));
  calc.Keys(". 1 2 5 +");
  EXPECT_EQ(calc.display(), "0.13");
  calc.Keys("Clear . 0 0 5 +");
  EXPECT_EQ(calc.display(), "0.01");
}

TEST(Decimals, ZeroDecimalsRoundsResultsAndShowsZeroForNothing) {
  Calculator calc(Decimals(0));
  calc.Keys("7 / 2 =");
  EXPECT_EQ(calc.display(), "4");
  calc.Keys("CE");
  EXPECT_EQ(calc.display(), "0");
  calc.Keys("1 / 0 =");
  EXPECT_EQ(calc.display(), "0");
}

TEST(Decimals, SetDecimalsWritesBothSettingsAndReformats) {
  Calculator calc;
  calc.Keys("1 . 5 +");
  calc.engine.SetDecimals(2);
  EXPECT_EQ(calc.display(), "1.50");
  EXPECT_EQ(calc.host.checkedDecimals, 2);
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting1"), "2");
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting2"), "2");
  calc.engine.SetDecimals(10);
  EXPECT_EQ(calc.display(), "1.5");
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting1"), "10");
  EXPECT_TRUE(calc.NewTape() == (Lines{"1.5  "}));  // no "(Dec)" marker
  calc.engine.SetDecimals(7);
  EXPECT_EQ(calc.engine.state().displayMode, 10);
  calc.engine.SetDecimals(2);  // the same value again under the first setting
  EXPECT_EQ(calc.display(), "1.50");
}

TEST(Decimals, IgnoredWhileHexadecimalShows) {
  Calculator calc;
  calc.Keys("Hex");
  calc.engine.SetDecimals(2);
  calc.engine.ToggleDigitGrouping();
  calc.engine.ToggleAutoDecimal();
  EXPECT_EQ(calc.engine.state().decimalSetting, 10);
  EXPECT_TRUE(calc.engine.state().digitGrouping);
  EXPECT_FALSE(calc.engine.state().autoDecimal);
  EXPECT_EQ(calc.setting("Main Settings", "Decimal Setting2"), "<missing>");
}

TEST(Grouping, SeparatesTheIntegerPart) {
  Calculator calc;
  calc.Keys("1 2 3 4 5 6 7 . 8 9 1 +");
  EXPECT_EQ(calc.display(), "1,234,567.891");
  calc.Keys("Clear 1 2 3 4 +/- +");
  EXPECT_EQ(calc.display(), "-1,234");
  calc.Keys("Clear 9 9 9 +");
  EXPECT_EQ(calc.display(), "999");
}

TEST(Grouping, ToggleWritesTheSettingAndRedraws) {
  Calculator calc;
  calc.Keys("1 2 3 4 +");
  calc.engine.ToggleDigitGrouping();
  EXPECT_EQ(calc.display(), "1234");
  EXPECT_FALSE(calc.host.groupingChecked);
  EXPECT_EQ(calc.setting("Main Settings", "Digit Grouping"), "0");
  calc.engine.ToggleDigitGrouping();
  EXPECT_EQ(calc.display(), "1,234");
  EXPECT_EQ(calc.setting("Main Settings", "Digit Grouping"), "1");
}

TEST(Grouping, TextRules) {
  EXPECT_EQ(GroupedText("1234567890123456789012345"), "1234567,890,123,456,789,012,345");
  EXPECT_EQ(GroupedText("-1234.5678"), "-1,234.5678");
  EXPECT_EQ(GroupedText("1,2,3,4"), "1,234");
  EXPECT_EQ(GroupedText(" 1234.5"), " 1,234.5");
  EXPECT_EQ(GroupedText(" 123456"), " 123,456");
  EXPECT_EQ(GroupedText("- 1234567"), "- 1,234,567");
  EXPECT_EQ(GroupedText("Infinity"), "Infinity");
  EXPECT_EQ(GroupedText(""), "");
}

TEST(AutoDecimal, PlacesThePointByTheSetting) {
  EngineSettings settings = Decimals(2);
  settings.autoDecimal = true;
  Calculator calc(settings);
  const char* shown[] = {"0.01", "0.12", "1.23", "12.34"};
  for (int digit = 1; digit <= 4; ++digit) {
    calc.engine.PressKey(DigitKey(digit));
    EXPECT_EQ(calc.display(), shown[digit - 1]);
  }
  EXPECT_EQ(calc.engine.state().entryText, "1234");
  calc.Keys("Back");
  EXPECT_EQ(calc.display(), "1.23");
}

TEST(AutoDecimal, TypedPointSwitchesItOff) {
  EngineSettings settings = Decimals(3);
  settings.autoDecimal = true;
  Calculator calc(settings);
  calc.Keys("5");
  EXPECT_EQ(calc.display(), "0.005");
  calc.Keys("CE 5 . 2");
  EXPECT_EQ(calc.display(), "5.2");
}

TEST(AutoDecimal, FloatingAndZeroDivideNothing) {
  for (int places : {0, 10}) {
    EngineSettings settings = Decimals(places);
    settings.autoDecimal = true;
    Calculator calc(settings);
    calc.Keys("1 2 5");
    EXPECT_EQ(calc.display(), "125") << places;
  }
}

TEST(AutoDecimal, ToggleWritesTheSetting) {
  Calculator calc;
  calc.engine.ToggleAutoDecimal();
  EXPECT_TRUE(calc.host.autoDecimalChecked);
  EXPECT_EQ(calc.setting("Main Settings", "Auto Decimal"), "1");
}

TEST(Clipboard, CopyWritesTheTapeLine) {
  Calculator calc;
  calc.Keys("1 2 3 4 . 5");
  calc.engine.CopyDisplay();
  EXPECT_EQ(calc.host.clipboard, "1,234.5");
  EXPECT_EQ(calc.NewTape(), (Lines{"Copy (1,234.5)"}));
}

TEST(Clipboard, ACopyTheClipboardRefusesWritesNoLineNowOrInAReplay) {
  Calculator calc;
  calc.Keys("7");
  calc.host.clipboardRefuses = true;
  calc.engine.CopyDisplay();
  calc.host.clipboardRefuses = false;
  calc.Keys("+ 8");
  calc.engine.CopyDisplay();
  const Lines expected{"7  ", "Copy (8)"};
  EXPECT_EQ(calc.NewTape(), expected);
  EXPECT_EQ(calc.host.clipboard, "8");

  Calculator replayed;
  replayed.engine.Replay(calc.engine.record());
  EXPECT_EQ(replayed.host.tape, expected);
  // A replay learns the outcome from the record; it never copies again.
  EXPECT_EQ(replayed.host.clipboard, "");
}

TEST(Clipboard, PasteBecomesTheEntry) {
  Calculator calc;
  calc.host.clipboard = "1,234.5";
  calc.engine.PasteDisplay();
  EXPECT_EQ(calc.display(), "1,234.5");
  EXPECT_EQ(calc.engine.state().entryText, " 1234.5");
  calc.Keys("5");
  EXPECT_EQ(calc.display(), " 1,234.55");
  calc.host.clipboard = "";
  calc.engine.PasteDisplay();
  EXPECT_EQ(calc.engine.state().entryText, " 0");
  calc.host.clipboard = "nonsense 12";
  calc.engine.PasteDisplay();
  calc.Keys("+");
  EXPECT_EQ(calc.NewTape(), (Lines{"0  "}));
}

TEST(Clipboard, PastedNumberTakesDigitsAndASign) {
  Calculator calc;
  calc.host.clipboard = "123";
  calc.engine.PasteDisplay();
  calc.Keys("4 5 6");
  EXPECT_EQ(calc.display(), " 123,456");
  calc.Keys("+/-");
  EXPECT_EQ(calc.display(), "-123,456");
  calc.Keys("7 +");
  EXPECT_EQ(calc.NewTape(), (Lines{"-1,234,567  "}));
  // Signed straight after the paste, with the blank still in the display.
  calc.host.clipboard = " 5";
  calc.engine.PasteDisplay();
  calc.Keys("+/- =");
  EXPECT_EQ(calc.NewTape(), (Lines{"-5 +", kDashes, "-1,234,572 =", ""}));
  calc.host.clipboard = " -5";
  calc.engine.PasteDisplay();
  calc.Keys("+/-");
  EXPECT_EQ(calc.display(), "5");
  EXPECT_EQ(calc.engine.state().entryText, "5");
}

TEST(Focus, EveryKeyEndsOnTheKeySink) {
  Calculator calc;
  const char* keys[] = {"1", ".",  "+/-", "Back", "CE", "Clear", "CT",   "+",   "-",   "*",    "/",   "=",
                        "%", "MC", "MR",  "MS",   "M+", "2nd",   "+Tax", "Chg", "1/x", "Feed", "Hex", "Dec"};
  for (const char* key : keys) {
    const int before = calc.host.focusCount;
    calc.Keys(key);
    EXPECT_GT(calc.host.focusCount, before) << key;
  }
}

}  // namespace
}  // namespace tallix::testing
