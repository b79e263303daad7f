// The exported tape as a spreadsheet reads it.
#include "app/tape/tape_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallix {
namespace {

TEST(TapeCsv, NumbersSplitFromTheirSymbolsAndEverythingElseKeptAsText) {
  const std::vector<std::string> lines = {"1,234.50 +", "-2 \xF7", "8 =", "", "(Length) Feet: 1,250",
                                          "Copy (=cmd, \"x\")", "1.5E+20  ", "FF =", "Length: 10 ft"};
  EXPECT_EQ(FormatTapeCsv(lines),
            "Line,Shown,Number,Symbol,Text\r\n"
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

}  // namespace
}  // namespace tallix
