#pragma once
// The loan window's printed analysis: its inputs and results as the fields
// show them, then the schedule as the list holds it, in a fixed-pitch font,
// the column heading repeated on every page and a page number at each foot.

#include <span>

#include "services/print_layout.h"
#include "services/tape_stamp.h"
#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_texts.h"

namespace tallix::loan {

// Courier New at 10 points, the same in bold, 18 points bold, 8 points
// italic; the chart's labels in Tahoma at 8 points.
struct LoanReportFonts {
  PrintFont regular = kDefaultPrintFont;
  PrintFont bold = kDefaultPrintFont;
  PrintFont title = kDefaultPrintFont;
  PrintFont note = kDefaultPrintFont;
  PrintFont chart = kDefaultPrintFont;
};

// The chart's height on the first page, in lines of the regular font.
inline constexpr int kReportChartLines = 22;

// Prints the whole report and ends its last page; `printed` is the time the
// report says it was printed. The chart of the loan goes between the totals
// and the schedule, in black and greys, when the first page has room for it
// and a schedule row; a report without a schedule has none.
void PrintLoanReport(PrintLayout& printer, const LoanReportFonts& fonts, const LoanSheet& sheet,
                     std::span<const ScheduleRowTexts> rows, const LoanChartData& chart, const TapeStamp& printed);

}  // namespace tallix::loan
