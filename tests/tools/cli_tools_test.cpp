// tallix-cli convert, area and volume: what they print, and how they refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "app/cli/cli_commands.h"
#include "tests/cli_command_run.h"

namespace tallix::cli {
namespace {

CliResult Cli(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTools, ConvertPrintsThePopupsTapeBlock) {
  const CliResult knots = Cli(RunConvert, {"1,250", "nautical MILES"});
  EXPECT_EQ(knots.status, 0);
  EXPECT_TRUE(knots.out.starts_with("(Length) Nautical Miles: 1,250\n--------------------------\nInches: "))
      << knots.out;
  EXPECT_TRUE(knots.out.ends_with("Kilometers: 2,315\nLight Years: 0\n\n")) << knots.out;
  EXPECT_EQ(knots.err, "");

  const CliResult list = Cli(RunConvert, {"--list"});
  EXPECT_TRUE(list.out.starts_with("Temperature\n  Fahrenheit\n  Celsius\n  Kelvin\nLength\n  Inches\n"));
  EXPECT_TRUE(list.out.ends_with("  Months (30 Days)\n  Years (365 Days)\n"));
}

TEST(CliTools, AreaAndVolumePrintTheResultAndTheTapeLines) {
  const CliResult volume = Cli(RunVolume, {"10", "ft", "10", "Feet", "4", "in", "--to", "Cu.Yards"});
  EXPECT_EQ(volume.status, 0);
  EXPECT_EQ(volume.out,
            "1.2346\nVolume Calculation...\nLength: 10 ft\nWidth: 10 ft\nDepth: 4 in\nResult = 1.2346 cu.yd\n\n");
  const CliResult area = Cli(RunArea, {"--to", "SQ.CM", "2", "meters", "50", "cm"});
  EXPECT_EQ(area.out, "10,000\nArea Calculation...\nLength: 2 m\nWidth: 50 cm\nResult = 10,000 sq.cm\n\n");
  // Sides as the window shows them once their field is left.
  EXPECT_EQ(Cli(RunArea, {"1250", "ft", "1", "ft", "--to", "sq.ft"}).out,
            "1,250\nArea Calculation...\nLength: 1,250 ft\nWidth: 1 ft\nResult = 1,250 sq.ft\n\n");
}

TEST(CliTools, BadInputIsOneLineOnStandardErrorAndAFailure) {
  const auto refused = [](const CliResult& result, std::string_view says) {
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
  };
  refused(Cli(RunConvert, {"5", "Furlongs"}), "unknown unit \"Furlongs\"");
  refused(Cli(RunConvert, {"5"}), "expected VALUE UNIT");
  refused(Cli(RunArea, {"2", "m", "50", "in", "--to", "sq.m"}), "mixes standard and metric");
  refused(Cli(RunArea, {"2", "m", "50", "cm", "--to", "sq.ft"}), "mixes standard and metric");
  refused(Cli(RunVolume, {"2", "m", "50", "cm", "--to", "cu.m"}), "expected Length UNIT Width UNIT Depth UNIT --to");
  refused(Cli(RunVolume, {"2", "m", "50", "cm", "1", "cm", "--to", "sq.m"}), "unknown unit \"sq.m\"");
  refused(Cli(RunVolume, {"2", "m", "0", "cm", "1", "cm", "--to", "cu.m"}), "a side of 0");
  EXPECT_EQ(Cli(RunVolume, {"2", "m", "0", "cm", "1", "cm", "--to", "cu.m"}).out, "");
}

// The windows show such results as Infinity; the commands say so and fail.
TEST(CliTools, ResultsTooLargeToShowAreSaidAndFail) {
  const CliResult convert = Cli(RunConvert, {"1e4932", "Miles"});
  EXPECT_EQ(convert.status, 1);
  EXPECT_NE(convert.out.find("\nInches: Infinity\n"), std::string::npos) << convert.out;
  EXPECT_EQ(convert.err, "tallix-cli convert: a result is too large to show, as the Infinity lines say\n");

  const CliResult area = Cli(RunArea, {"1e200", "m", "-1e200", "m", "--to", "sq.m"});
  EXPECT_EQ(area.status, 1);
  EXPECT_TRUE(area.out.starts_with("-Infinity\n")) << area.out;
  EXPECT_EQ(area.err, "tallix-cli area: the result is too large to show (-Infinity)\n");
  EXPECT_EQ(Cli(RunVolume, {"1e200", "m", "1e200", "m", "1", "m", "--to", "cu.m"}).status, 1);

  const CliResult side = Cli(RunVolume, {"2", "ft", "1e309", "ft", "1", "ft", "--to", "cu.ft"});
  EXPECT_EQ(side.status, 1);
  EXPECT_EQ(side.out, "");
  EXPECT_EQ(
      side.err,
      "tallix-cli volume: Width \"1e309\" is too large; the window shows it as Infinity and calculates nothing\n");
}

// The windows read such text as its leading number or 0; the commands do the
// same, and say so.
TEST(CliTools, TextThatIsNoNumberIsReadAsTheWindowReadsItAndNamed) {
  const CliResult convert = Cli(RunConvert, {"abc", "Feet"});
  EXPECT_NE(convert.status, 0);
  EXPECT_TRUE(convert.out.starts_with("(Length) Feet: abc\n")) << convert.out;
  EXPECT_NE(convert.out.find("\nInches: 0\n"), std::string::npos);
  EXPECT_EQ(convert.err, "tallix-cli convert: VALUE \"abc\" is not a number; read as 0 as the window reads it\n");

  EXPECT_NE(Cli(RunConvert, {"Infinity", "Feet"}).err.find("read as 0"), std::string::npos);
  const CliResult area = Cli(RunArea, {"12ft", "ft", "2", "ft", "--to", "sq.ft"});
  EXPECT_NE(area.status, 0);
  EXPECT_TRUE(area.out.starts_with("24\n")) << area.out;
  EXPECT_NE(area.err.find("Length \"12ft\" is not a number; read as 12"), std::string::npos) << area.err;

  const CliResult zero = Cli(RunArea, {"2", "ft", "abc", "ft", "--to", "sq.ft"});
  EXPECT_NE(zero.status, 0);
  EXPECT_EQ(zero.out, "");
  EXPECT_EQ(zero.err, "tallix-cli area: Width \"abc\" is not a number; read as 0 as the window reads it\n");
}

}  // namespace
}  // namespace tallix::cli
