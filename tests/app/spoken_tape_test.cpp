// What a screen reader is told as the tape grows: each result in words, once,
// as the calculator or a side tool writes it; nothing of a replay, and never
// a note, whatever it says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window/tape_colour.h"
#include "app/main_window/tape_line_kind.h"
#include "tests/engine/calculator_fixture.h"
#include "tools/area_volume/shape_calculation.h"
#include "tools/convert/conversion.h"
#include "tools/convert/unit_catalog.h"
#include "tools/loan/loan_texts.h"

namespace tallix {
namespace {

using testing::Calculator;
using testing::Lines;

// The words said for the lines written since the last call.
Lines Heard(Calculator& calculator) {
  Lines heard;
  for (const std::string& line : calculator.host.written)
    if (std::string words = SpokenTapeLine(line); !words.empty()) heard.push_back(words);
  calculator.host.written.clear();
  return heard;
}

TEST(SpokenTape, TheCalculatorsResultsAreSaidAsTheyAreWrittenAndNoReplayIs) {
  Calculator calculator(testing::Decimals(2));
  calculator.Keys("1 2 3 4 . 5 + 1 = 5 0 % 2 0 Chg Hex 2 * 3 = Dec");
  calculator.engine.AddNote("8 =");
  // Every line the calculator wrote, each once, and the results among them.
  EXPECT_EQ(calculator.host.written, calculator.host.tape);
  EXPECT_EQ(Heard(calculator), (Lines{"1,235.50 total", "0.50 total", "19.50 change", "(Hex) 6 total"}));

  const std::vector<std::string> tape = calculator.host.tape;
  calculator.host.tape.clear();
  calculator.engine.Replay(calculator.engine.record());
  EXPECT_EQ(calculator.host.tape, tape);
  EXPECT_EQ(calculator.host.written, Lines{});
}

TEST(SpokenTape, TheSideToolsResultsAreSaidAsShown) {
  Calculator calculator;
  const convert::UnitRef inches = convert::FindUnit("Inches").value();
  convert::WriteConversion(calculator.engine, calculator.host, "12", "Inches",
                           convert::ItemData(inches.category, inches.unit));
  loan::LoanSheet sheet{"Monthly Payments: 1", "$100,000.00", "8.25", "30", "Monthly", {"$751.27", "360"}};
  for (const std::string& line : loan::TapeBlock(sheet)) calculator.engine.AppendTapeLine(line, "");
  shapes::AppendCalculationTape(calculator.engine, shapes::AreaKind(),
                                {shapes::UnitSystem::kMetric, {"2", "50", ""}, {2, 1, 0}, 1}, "10,000");
  EXPECT_EQ(Heard(calculator), (Lines{"(Length) Inches: 12", "Monthly Payments: $751.27", "Result = 10,000 sq.cm"}));
}

TEST(SpokenTape, ALinesKindDecidesBothItsWordsAndItsColour) {
  for (const char* line : {"Copy (8 =)", "(Hex)", "\"Monthly Payments: 5\"", "Loan Analysis...", "12 M+", "3 +", ""}) {
    EXPECT_EQ(SpokenTapeLine(line), "") << line;
  }
  // A conversion's heading is said, and drawn as the event lines are.
  const char* heading = "(Temperature) Fahrenheit: 100";
  EXPECT_EQ(KindOfTapeLine(heading), TapeLineKind::Heading);
  EXPECT_EQ(TapeLineColour(heading, TapeMedium::Screen, 0), kTapeBlue);
  EXPECT_EQ(TapeLineColour("-19.50 CH", TapeMedium::Screen, 0), kTapeRed);
  EXPECT_EQ(SpokenTapeLine("-19.50 CH"), "-19.50 change");
}

TEST(SpokenTape, TheGrandTotalsLinesAreSaidAndDrawnInAColourOfTheirOwn) {
  EngineSettings settings;
  settings.grandTotalOn = true;
  Calculator calculator(settings);
  calculator.Keys("9 - 1 9 = Hex");
  calculator.engine.GrandTotal();
  calculator.engine.GrandTotal();
  calculator.engine.AddNote("paid GT");
  EXPECT_EQ(Heard(calculator), (Lines{"-10 total", "(Hex) FFFFFFF6 grand total", "grand total cleared"}));
  for (const std::string& line : calculator.host.tape) {
    const bool grandTotal = (line.ends_with(" GT") && !line.starts_with('"')) || line == "GT Clear";
    for (const TapeMedium medium : {TapeMedium::Screen, TapeMedium::Paper})
      EXPECT_EQ(TapeLineColour(line, medium, 0) == kTapeGreen, grandTotal) << line;
  }
}

}  // namespace
}  // namespace tallix
