// The exported tape as a spreadsheet reads it.
#include "app/tape/tape_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallix {
namespace {

const std::string kHeader = "\xEF\xBB\xBFLine,Shown,Number,Symbol,Text\r\n";

TEST(TapeCsv, NumbersSplitFromTheirSymbolsAndEverythingElseKeptAsText) {
  const std::vector<std::string> lines = {
      "1,234.50 +", "-2 \xF7", "8 =",          "", "(Length) Feet: 1,250", "Copy (=cmd, \"x\")",
      "1.5E+20  ",  "FF =",    "Length: 10 ft"};
  EXPECT_EQ(FormatTapeCsv(lines, 10), kHeader +
                                          "1,\"1,234.50\",1234.50,+,\"1,234.50 +\"\r\n"
                                          "2,-2,-2,\xC3\xB7,'-2 \xC3\xB7\r\n"
                                          "3,8,8,=,8 =\r\n"
                                          "4,,,,\r\n"
                                          "5,,,,\"(Length) Feet: 1,250\"\r\n"
                                          "6,,,,\"Copy (=cmd, \"\"x\"\")\"\r\n"
                                          "7,1.5E+20,1.5E+20,,1.5E+20  \r\n"
                                          "8,,,,FF =\r\n"
                                          "9,,,,Length: 10 ft\r\n");
}

// The Number column holds the value in decimal, whatever system the line was
// written in: the one the tape began in, then the one its last heading names.
TEST(TapeCsv, NumbersOfOtherSystemsAreGivenInDecimal) {
  const std::vector<std::string> lines = {"10 +",  "(Hex)",  "FF +",  "10 -", "(Hex) EF =", "Div0 Error /",
                                          "(Bin)", "101 M+", "(Oct)", "17 +", "(Dec)",      "10 +"};
  EXPECT_EQ(FormatTapeCsv(lines, 10), kHeader +
                                          "1,10,10,+,10 +\r\n"
                                          "2,,,,(Hex)\r\n"
                                          "3,FF,255,+,FF +\r\n"
                                          "4,10,16,-,10 -\r\n"
                                          "5,EF,239,=,(Hex) EF =\r\n"
                                          "6,,,,Div0 Error /\r\n"
                                          "7,,,,(Bin)\r\n"
                                          "8,101,5,M+,101 M+\r\n"
                                          "9,,,,(Oct)\r\n"
                                          "10,17,15,+,17 +\r\n"
                                          "11,,,,(Dec)\r\n"
                                          "12,10,10,+,10 +\r\n");
  const std::vector<std::string> cleared = {"10 +", "1.5 +"};
  EXPECT_EQ(FormatTapeCsv(cleared, 16), kHeader + "1,10,16,+,10 +\r\n2,,,,1.5 +\r\n") << "cleared in hexadecimal";
}

// Spreadsheets skip a leading tab or carriage return before reading a formula.
TEST(TapeCsv, CellsStartingWithATabOrCarriageReturnAreGuarded) {
  const std::vector<std::string> lines = {"\t=1+2", "\r-3", "\tnote", "5 \t@SUM"};
  EXPECT_EQ(FormatTapeCsv(lines, 10), kHeader +
                                          "1,,,,'\t=1+2\r\n"
                                          "2,,,,\"'\r-3\"\r\n"
                                          "3,,,,'\tnote\r\n"
                                          "4,5,5,'\t@SUM,5 \t@SUM\r\n");
}

}  // namespace
}  // namespace tallix
