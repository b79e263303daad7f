#include <gtest/gtest.h>

#include <string>

#include "tests/cli_command_run.h"

namespace tallix::cli {
namespace {

CliResult Format(const Args& args, const std::string& input) { return RunCommand(RunFormat, args, input); }

TEST(CliFormat, FormatsEveryLineWithTheMask) {
  EXPECT_EQ(Format({"###########0.00"}, "2.675\n").out, "2.68\n");
  EXPECT_EQ(Format({"$#,###,###.00"}, "1234567.891\n").out, "$1,234,567.89\n");
  const CliResult result = Format({"0.00"}, "0x8p-3\r\n-1e3\n +2 \n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "1.00\n-1000.00\n2.00\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Format({"--", "--0"}, "5\n").out, "--5\n");
}

TEST(CliFormat, BadLinesAreNamedAndTheRestStillFormatted) {
  const CliResult result = Format({"0.0"}, "1\nabc\n\n2\n");
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.out, "1.0\n2.0\n");
  EXPECT_NE(result.err.find("line 2: \"abc\""), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("line 3: \"\""), std::string::npos) << result.err;
}

// A bad line is never echoed whole or raw: it may be huge, or hold escape codes
// the terminal would act on.
TEST(CliFormat, BadLinesAreQuotedShortAndEscaped) {
  const CliResult result = Format({"0"}, "\x1b[2J\t\"\\\xC2\x9B\xFF\xE2\x82\xAC" + std::string(200, 'z') + "\n");
  EXPECT_EQ(result.err, "tallix-cli format: line 1: \"\\x1b[2J\\t\\\"\\\\\\xc2\\x9b\\xff\xE2\x82\xAC" +
                            std::string(70, 'z') + "\"... is not a number\n");
}

// The masks keep the window's behaviour, but a value they leave out is said.
TEST(CliFormat, ValuesTheMaskLeavesOutAreReported) {
  const CliResult picture = Format({"#;-"}, "5\n-5\n");
  EXPECT_NE(picture.status, 0);
  EXPECT_EQ(picture.out, "5\n-\n");
  EXPECT_EQ(picture.err, "tallix-cli format: line 2: \"-5\": the mask has no digit placeholder for it\n");
  const CliResult fields = Format({"--using", "#_.#_.#_.#"}, "1 2 3 4 5\n");
  EXPECT_NE(fields.status, 0);
  EXPECT_EQ(fields.out, "1.2.3.45.\n");
  EXPECT_NE(fields.err.find("5 values for the mask's 4 fields"), std::string::npos) << fields.err;
  const CliResult none = Format({"--using", "total"}, "7\n");
  EXPECT_NE(none.status, 0);
  EXPECT_NE(none.err.find("1 value for the mask's 0 fields; none is shown"), std::string::npos) << none.err;
}

TEST(CliFormat, FailedStreamsAreReported) {
  std::istringstream in("1\n2\n");
  std::ostream lost(nullptr);  // every write fails
  std::ostringstream err;
  EXPECT_EQ(RunFormat({"#"}, in, lost, err), 1);
  EXPECT_EQ(err.str(), "tallix-cli format: cannot write to standard output\n");
  const CliResult unread = [] {
    std::istringstream broken("1\n");
    broken.setstate(std::ios::badbit);
    std::ostringstream out, err;
    return CliResult{RunFormat({"#"}, broken, out, err), out.str(), err.str()};
  }();
  EXPECT_EQ(unread.status, 1);
  EXPECT_EQ(unread.err, "tallix-cli format: cannot read standard input\n");
}

TEST(CliFormat, UsingAndPlainModes) {
  EXPECT_EQ(Format({"--using", "#_.#_.#_.#"}, "192 168 1 10\n").out, "192.168.1.10\n");
  const CliResult bad = Format({"--using", "###"}, "1 x\n");
  EXPECT_NE(bad.status, 0);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(Format({"--plain", "18"}, "0.5\n1.5e20\n").out, ".5\n1.5E+20\n");
  EXPECT_EQ(Format({"--plain-space", "15"}, "2\n-2\n").out, " 2\n-2\n");
}

TEST(CliFormat, BadOptionsAreRefused) {
  for (const Args& args : {Args{}, Args{"--plain", "16"}, Args{"--plain"}, Args{"--plain", "15", "0.0"},
                           Args{"--bogus", "0"}, Args{"0", "0"}, Args{"--using"}, Args{"--using", "--plain", "15"}}) {
    const CliResult result = Format(args, "1\n");
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("tallix-cli format:"), std::string::npos);
  }
}

}  // namespace
}  // namespace tallix::cli
