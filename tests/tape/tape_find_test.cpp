// Find on the tape: which lines a text or a number matches, and which match
// comes next from a line, down or up, round the tape's ends.
#include "app/tape/tape_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallix {
namespace {

// The lines of `lines` that `typed` matches, in order.
std::vector<std::size_t> Matching(const std::vector<std::string>& lines, std::string_view typed, int startRadix = 10) {
  const TapeQuery query(typed);
  std::vector<std::size_t> found;
  TapeLineReader reader(startRadix);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (query.Matches(lines[i], reader)) found.push_back(i);
  return found;
}

using Lines = std::vector<std::size_t>;

TEST(TapeFind, TextMatchesWhateverTheLetterCase) {
  const std::vector<std::string> lines = {"\"Rent for MAY\"", "1,234.50 +", "\"\xC9t\xE9 caf\xC9\"", "GT Clear", ""};
  EXPECT_EQ(Matching(lines, "may"), Lines({0}));
  EXPECT_EQ(Matching(lines, "RENT FOR"), Lines({0}));
  EXPECT_EQ(Matching(lines, "\xE9t\xC9 CAF\xE9"), Lines({2})) << "accented letters fold too";
  EXPECT_EQ(Matching(lines, "34.5"), Lines({})) << "a number is no text";
  EXPECT_EQ(Matching(lines, " +"), Lines({1}));
  EXPECT_EQ(Matching(lines, ""), Lines({}));
}

TEST(TapeFind, ANumberMatchesTheLinesOfItsValue) {
  const std::vector<std::string> lines = {"1,234.50 +",  "1234.5 =",       "-1,234.50 -", "12,345.00 +", "123.45 +",
                                          "1.2345E+3 T", "Copy (1,234.5)", "0.00 *",      "(Hex) 4D2 =", "1,234.5 GT"};
  for (const std::string typed : {"1234.5", "1,234.50", " 1234.500 ", "1.2345e3"})
    EXPECT_EQ(Matching(lines, typed), Lines({0, 1, 5, 9})) << typed;
  EXPECT_EQ(Matching(lines, "-1234.5"), Lines({2}));
  EXPECT_EQ(Matching(lines, "1234.5"), Lines({0, 1, 5, 9}));
  EXPECT_EQ(Matching(lines, "1234"), Lines({8})) << "hexadecimal 4D2";
  EXPECT_EQ(Matching(lines, "0"), Lines({7}));
  EXPECT_EQ(Matching(lines, "12345"), Lines({3}));
  EXPECT_EQ(Matching(lines, "1234.6"), Lines({}));
}

// A line's number is read in the system its tape was in there.
TEST(TapeFind, NumbersOfOtherSystemsMatchByValue) {
  const std::vector<std::string> lines = {"10 +", "(Hex)", "FF +", "10 -", "(Dec)", "255 =", "16 +"};
  EXPECT_EQ(Matching(lines, "255"), Lines({2, 5}));
  EXPECT_EQ(Matching(lines, "16"), Lines({3, 6}));
  EXPECT_EQ(Matching(lines, "10"), Lines({0}));
  EXPECT_EQ(Matching({"10 +"}, "16", 16), Lines({0})) << "a tape begun in hexadecimal";
}

TEST(TapeFind, NextAndPreviousGoRoundTheEnds) {
  const std::vector<std::string> lines = {"5 +", "7 +", "5 -", "12 =", "5 +"};
  const TapeQuery five("5");
  const auto find = [&](std::optional<std::size_t> from, bool down) {
    const std::optional<TapeFound> found = FindOnTape(lines, 10, five, from, down);
    return found ? std::to_string(found->line) + (found->wrapped ? " wrapped" : "") : "none";
  };
  EXPECT_EQ(find(std::nullopt, true), "0") << "down from above the first line";
  EXPECT_EQ(find(std::nullopt, false), "4") << "up from below the last";
  EXPECT_EQ(find(0, true), "2");
  EXPECT_EQ(find(2, true), "4");
  EXPECT_EQ(find(4, true), "0 wrapped");
  EXPECT_EQ(find(4, false), "2");
  EXPECT_EQ(find(0, false), "4 wrapped");
  EXPECT_EQ(find(1, false), "0");

  const TapeQuery twelve("12");
  const std::optional<TapeFound> alone = FindOnTape(lines, 10, twelve, 3, true);
  ASSERT_TRUE(alone);
  EXPECT_EQ(alone->line, 3u) << "the line itself, once round";
  EXPECT_TRUE(alone->wrapped);
  EXPECT_FALSE(FindOnTape(lines, 10, TapeQuery("8"), std::nullopt, true));
  EXPECT_FALSE(FindOnTape({}, 10, five, std::nullopt, false));
}

// The box names the line among the tape's and any end passed; a screen reader
// hears the line too.
TEST(TapeFind, TheOutcomeNamesTheLineAndAnyEndPassed) {
  const std::vector<std::string> lines = {"5 +", "7 +", "12 ="};
  const FindOutcome found = DescribeFind("7", TapeFound{1, false}, lines, true);
  EXPECT_EQ(found.status, "Found on line 2 of 3.");
  EXPECT_EQ(found.spoken, "Found on line 2 of 3. 7 +");
  EXPECT_NE(DescribeFind("5", TapeFound{0, true}, lines, true).status.find("end"), std::string::npos);
  EXPECT_NE(DescribeFind("5", TapeFound{0, true}, lines, false).status.find("top"), std::string::npos);
  EXPECT_EQ(DescribeFind("rent", std::nullopt, lines, true).status, "\"rent\" is not on the tape.");
  EXPECT_EQ(DescribeFind("", std::nullopt, lines, true).status, "Type a text or a number to find.");
}

}  // namespace
}  // namespace tallix
