// The printed loan analysis on a recording surface: its pages, headings,
// footers and every schedule row once, in order.
#include "tools/loan/loan_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/services/recording_print_surface.h"

namespace tallix::loan {
namespace {

using print_test::RecordedRun;
using print_test::RecordingSurface;

const LoanReportFonts kFonts{1, 2, 3, 4};
const TapeStamp kPrinted{2024, 3, 9, 17, 5, 4};
const std::string kTitle = std::string(16, ' ') + "Amortization Schedule";
const std::string kHeadingRule =
    "---   -------   -------------   -------------   -------------   -------------   "
    "-------------";

std::vector<ScheduleRowTexts> Rows(int count) {
  std::vector<ScheduleRowTexts> rows;
  for (int k = 1; k <= count; ++k) {
    rows.push_back({std::to_string(k), "03/2010", "$63.77", "$687.50", "$1,063.77", "$687.50", "$99,936.23"});
  }
  return rows;
}

// Each run's text that makes a whole line: the field lines come in two runs.
std::vector<std::string> Texts(const std::vector<RecordedRun>& page) {
  std::vector<std::string> texts;
  for (const RecordedRun& run : page) texts.push_back(run.text);
  return texts;
}

TEST(LoanReport, LongScheduleContinuesOnPagesWithHeadingsAndFooters) {
  RecordingSurface surface;
  surface.area.height = 2400;  // 60 lines of the report's fonts
  PrintLayout printer(surface);
  const std::vector<ScheduleRowTexts> rows = Rows(1000);
  PrintLoanReport(printer, kFonts, LoanSheet{"Home", "$100,000.00", "8.25%", "30", "Monthly", {}}, rows, {}, kPrinted);
  EXPECT_FALSE(surface.pageOpen);

  // 30 rows on the first page, 50 on each further one.
  ASSERT_EQ(surface.pages.size(), 21u);
  int next = 1;
  for (std::size_t page = 0; page < surface.pages.size(); ++page) {
    const std::vector<std::string> texts = Texts(surface.pages[page]);
    const std::size_t firstRow = std::find(texts.begin(), texts.end(), kHeadingRule) - texts.begin() + 1;
    ASSERT_LT(firstRow, texts.size());
    if (page > 0) {
      EXPECT_EQ(texts[0], kTitle);
      EXPECT_EQ(texts[1], std::string(53, ' ') + "(Continued)");
      EXPECT_EQ(firstRow, 5u);
    }
    EXPECT_EQ(texts.back(), std::string(44, ' ') + "Page " + std::to_string(page + 1));
    for (std::size_t row = firstRow; row + 1 < texts.size(); ++row, ++next) {
      const std::string number = std::to_string(next);
      const std::string column = std::string(3 - std::min<std::size_t>(3, number.size()), ' ') + number + "   ";
      EXPECT_EQ(texts[row].substr(0, column.size()), column) << texts[row];
    }
  }
  EXPECT_EQ(next, 1001);
  const std::vector<std::string> first = Texts(surface.pages[0]);
  EXPECT_EQ(first[0], "Loan Analysis...");
  EXPECT_EQ(first[1], "(Printed by Tallix on 03-09-2024 At 17:05:04)");
  EXPECT_EQ(first[2], "Loan Name: ");
  EXPECT_EQ(first[3], "Home");
  EXPECT_EQ(surface.pages[0][2].font, kFonts.bold);
  EXPECT_EQ(surface.pages[0][3].font, kFonts.regular);
  const std::size_t row1 = std::find(first.begin(), first.end(), kHeadingRule) - first.begin() + 1;
  EXPECT_EQ(first[row1],
            "  1   03/2010             $63.77         $687.50       $1,063.77         $687.50      $99,936.23");
}

TEST(LoanReport, ReportBeforeAnyCalculationHasLabelsAndOnePage) {
  RecordingSurface surface;
  surface.area.height = 2400;
  PrintLayout printer(surface);
  PrintLoanReport(printer, kFonts, LoanSheet{}, {}, {}, kPrinted);
  ASSERT_EQ(surface.pages.size(), 1u);
  const std::vector<RecordedRun>& page = surface.pages[0];
  EXPECT_EQ(page[page.size() - 2].text, kHeadingRule);
  EXPECT_EQ(page.back().text, std::string(44, ' ') + "Page 1");
  // The counter starts at 31 and the empty lines run it to 62: 32 lines under the heading.
  EXPECT_EQ(page.back().y - page[page.size() - 2].y, 33 * 40);
}

}  // namespace
}  // namespace tallix::loan
