// The printed loan analysis on a recording surface: its pages, headings,
// footers and every schedule row once, in order.
#include "tools/loan/loan_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/services/recording_print_surface.h"
#include "tools/loan/loan_math.h"

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

// The worked example's schedule as the list shows it, and its chart.
struct RealLoan {
  std::vector<ScheduleRowTexts> rows;
  LoanChartData chart;
};
RealLoan WorkedExample() {
  const LoanInputs inputs = ReadInputs({"100,000.00", "8.25%", "30", "03-15-2010", kMonthlyCompounding});
  const std::vector<ScheduleRow> schedule = ComputeSchedule(inputs, ComputeTerms(inputs));
  RealLoan loan{{}, ChartDataOf(inputs.amount, schedule)};
  for (const ScheduleRow& row : schedule) loan.rows.push_back(RowTexts(row));
  return loan;
}

RecordingSurface Printed(int height, const RealLoan& loan, const LoanChartData& chart) {
  RecordingSurface surface;
  surface.area.height = height;
  PrintLayout printer(surface);
  PrintLoanReport(printer, kFonts, LoanSheet{"Home", "$100,000.00", "8.25%", "30", "Monthly", {}}, loan.rows, chart,
                  kPrinted);
  return surface;
}

// The schedule's row numbers in the order printed, over all pages.
std::vector<int> RowNumbers(const RecordingSurface& surface) {
  std::vector<int> numbers;
  for (const std::vector<RecordedRun>& page : surface.pages) {
    for (const RecordedRun& run : page) {
      const std::string& text = run.text;
      if (run.font != kFonts.regular || text.size() < 6 || text.compare(3, 3, "   ") != 0) continue;
      const std::size_t digits = text.find_first_not_of(' ');
      if (digits >= 3 || text.find_first_not_of("0123456789", digits) < 3) continue;
      numbers.push_back(std::stoi(text.substr(digits, 3 - digits)));
    }
  }
  return numbers;
}

std::size_t IndexOf(const std::vector<RecordedRun>& page, const std::string& text) {
  return std::size_t(std::find_if(page.begin(), page.end(), [&](const RecordedRun& run) { return run.text == text; }) -
                     page.begin());
}

TEST(LoanReport, ChartSitsBetweenTheTotalsAndTheScheduleOnTheFirstPage) {
  const RealLoan loan = WorkedExample();
  // 54 lines a page is the least that holds the chart; 60 has room to spare.
  for (const int height : {54 * 40, 60 * 40}) {
    SCOPED_TRACE("page height " + std::to_string(height));
    const RecordingSurface plain = Printed(height, loan, {});
    const RecordingSurface charted = Printed(height, loan, loan.chart);
    const PrintArea area = charted.area;
    ASSERT_FALSE(charted.shapes.empty());

    const std::vector<RecordedRun>& first = charted.pages[0];
    const std::size_t totals = IndexOf(first, "Total Cost: "), title = IndexOf(first, kTitle);
    ASSERT_LT(totals, title);
    ASSERT_LT(title, first.size());
    const int top = first[totals].y + 40, bottom = first[title].y;
    int fills = 0;
    std::vector<PrintBox> whites;
    std::vector<std::vector<PrintPoint>> diagonals;
    for (const RecordingSurface::Shape& shape : charted.shapes) {
      EXPECT_EQ(shape.page, 0);
      for (const PrintPoint& point : shape.points) {
        EXPECT_TRUE(point.x >= 0 && point.x <= area.width && point.y >= top && point.y <= bottom)
            << point.x << "," << point.y << " outside 0.." << area.width << ", " << top << ".." << bottom;
      }
      const PrintPoint &from = shape.points.front(), &to = shape.points.back();
      fills += shape.width == 0;
      if (shape.width == 0 && shape.colour == kPrintChartPalette.interest) {
        whites.push_back({from.x, from.y, to.x, to.y});
      } else if (shape.width > 0 && shape.points.size() == 2 && from.x != to.x && from.y != to.y) {
        diagonals.push_back(shape.points);
      }
    }
    for (const RecordedRun& run : first) {
      if (run.font != kFonts.chart) continue;
      EXPECT_TRUE(run.x >= 0 && run.x + 10 * int(run.text.size()) <= area.width && run.y >= top && run.y + 20 <= bottom)
          << run.text << " at " << run.x << "," << run.y;
    }
    EXPECT_GT(fills, 1);

    // Interest is white under black hatching, which stays inside its boxes;
    // the tallest white box is the chart's background.
    ASSERT_FALSE(whites.empty());
    whites.erase(std::max_element(whites.begin(), whites.end(),
                                  [](auto& a, auto& b) { return a.bottom - a.top < b.bottom - b.top; }));
    const auto within = [](const PrintBox& box, const std::vector<PrintPoint>& line) {
      return std::all_of(line.begin(), line.end(), [&](const PrintPoint& p) {
        return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
      });
    };
    for (const PrintBox& box : whites) {
      if (box.right - box.left < 5 || box.bottom - box.top < 5) continue;
      EXPECT_TRUE(std::any_of(diagonals.begin(), diagonals.end(), [&](auto& line) { return within(box, line); }))
          << "no hatching in " << box.left << "," << box.top << " " << box.right << "," << box.bottom;
    }
    for (const std::vector<PrintPoint>& line : diagonals) {
      EXPECT_TRUE(std::any_of(whites.begin(), whites.end(), [&](auto& box) { return within(box, line); }))
          << "a diagonal outside the interest from " << line[0].x << "," << line[0].y;
    }

    // At most one more page; every row once, in order; continuation pages as before; nothing below the page.
    EXPECT_GE(charted.pages.size(), plain.pages.size());
    EXPECT_LE(charted.pages.size(), plain.pages.size() + 1);
    const std::vector<int> numbers = RowNumbers(charted);
    ASSERT_EQ(numbers.size(), loan.rows.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) EXPECT_EQ(numbers[k], int(k) + 1);
    for (std::size_t page = 1; page < charted.pages.size(); ++page) {
      const std::vector<std::string> texts = Texts(charted.pages[page]);
      ASSERT_GE(texts.size(), 5u);
      EXPECT_EQ(texts[0], kTitle);
      EXPECT_EQ(texts[1], std::string(53, ' ') + "(Continued)");
      EXPECT_EQ(texts[4], kHeadingRule);
    }
    for (const std::vector<RecordedRun>& page : charted.pages) {
      for (const RecordedRun& run : page) EXPECT_LE(run.y + 40, area.height) << run.text;
    }
  }
}

TEST(LoanReport, PageTooShortForTheChartKeepsTheLayoutWithoutIt) {
  const RealLoan loan = WorkedExample();
  const RecordingSurface plain = Printed(53 * 40, loan, {});
  const RecordingSurface charted = Printed(53 * 40, loan, loan.chart);
  EXPECT_TRUE(charted.shapes.empty());
  ASSERT_EQ(charted.pages.size(), plain.pages.size());
  for (std::size_t page = 0; page < plain.pages.size(); ++page) {
    ASSERT_EQ(charted.pages[page].size(), plain.pages[page].size()) << "page " << page + 1;
    for (std::size_t k = 0; k < plain.pages[page].size(); ++k) {
      const RecordedRun &was = plain.pages[page][k], &is = charted.pages[page][k];
      EXPECT_TRUE(was.x == is.x && was.y == is.y && was.font == is.font && was.text == is.text) << is.text;
    }
  }
}

}  // namespace
}  // namespace tallix::loan
