// Print Tape's report on a recording surface: pages, positions and colours.
#include "app/tape/tape_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/services/recording_print_surface.h"

namespace tallix::print_test {
namespace {

const TapeStamp kStamp{2024, 3, 9, 7, 5, 4};
const std::string kHeading = std::string(30, ' ') + "Tape Report (03-09-2024 at 07:05:04)";
constexpr PrintColour kRed = 255;

bool IsNegative(int index) { return index % 10 == 3 || index % 10 == 7; }

// Negative numbers and subtractions among plain lines, copies and clears.
std::vector<std::string> MixedTape(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    switch (i % 10) {
      case 3: lines.push_back("-" + std::to_string(i) + " +"); break;
      case 7: lines.push_back(std::to_string(i) + " -"); break;
      case 5: lines.push_back("Copy (" + std::to_string(i) + ")"); break;
      case 9: lines.push_back("Tape Clear"); break;
      default: lines.push_back(std::to_string(i) + " +");
    }
  }
  return lines;
}

TEST(TapeReport, ALongTapeGoesOnOverNumberedPagesWithEveryLineInItsColour) {
  RecordingSurface surface;  // 50 lines a page: the heading's 3, then 47 tape lines
  PrintLayout printer(surface);
  const std::vector<std::string> lines = MixedTape(300);
  PrintTapeReport(printer, lines, kStamp);

  EXPECT_FALSE(surface.pageOpen);
  ASSERT_EQ(surface.pages.size(), 7u);
  std::size_t next = 0;
  for (std::size_t page = 0; page < surface.pages.size(); ++page) {
    const std::vector<RecordedRun>& runs = surface.pages[page];
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, page == 0 ? kHeading : kHeading + ", page " + std::to_string(page + 1));
    EXPECT_EQ(runs[0].y, 0);
    EXPECT_EQ(runs[0].colour, 0u);
    for (std::size_t row = 1; row < runs.size(); ++row, ++next) {
      ASSERT_LT(next, lines.size());
      EXPECT_EQ(runs[row].text, RightAlignedTapeLine(lines[next]));
      EXPECT_EQ(runs[row].x, 0);
      EXPECT_EQ(runs[row].y, static_cast<int>(row + 2) * 20);
      EXPECT_LE(runs[row].y + 20, surface.area.height);
      EXPECT_EQ(runs[row].colour, IsNegative(static_cast<int>(next)) ? kRed : 0u) << lines[next];
    }
  }
  EXPECT_EQ(next, lines.size());
}

TEST(TapeReport, EndsOnPagesTooSmallForItsHeading) {
  RecordingSurface surface;
  surface.area.height = 40;
  PrintLayout printer(surface);
  PrintTapeReport(printer, MixedTape(3), kStamp);
  EXPECT_EQ(surface.pages.size(), 3u);

  RecordingSurface empty;
  PrintLayout emptyPrinter(empty);
  PrintTapeReport(emptyPrinter, {}, kStamp);
  ASSERT_EQ(empty.pages.size(), 1u);
  EXPECT_EQ(empty.pages[0].size(), 1u);
}

}  // namespace
}  // namespace tallix::print_test
