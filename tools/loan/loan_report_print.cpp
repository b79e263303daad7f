#include "tools/loan/loan_report_print.h"

#include "services/printer_session.h"
#include "services/tape_stamp.h"
#include "side_window/topmost_band.h"
#include "tools/loan/loan_report.h"

namespace tallix::loan {

std::string PrintLoanAnalysis(HWND owner, SideWindowContext& main, const LoanSheet& sheet,
                              std::span<const ScheduleRowTexts> rows, const LoanChartData& chart) {
  PrinterSession printer;
  bool attached = false;
  {
    OutOfTopmostBand dialogShows(main);
    attached = printer.Attach(owner, L"Loan Analysis");
  }
  if (attached) {
    const LoanReportFonts fonts{printer.NewFont(L"Courier New", 10, 0), printer.NewFont(L"Courier New", 10, 1),
                                printer.NewFont(L"Courier New", 18, 1), printer.NewFont(L"Courier New", 8, 2),
                                printer.NewFont(L"Tahoma", 8, 0)};
    PrintLoanReport(*printer.layout(), fonts, sheet, rows, chart, LocalTapeStampNow());
    printer.Close();
  }
  return printer.error();
}

}  // namespace tallix::loan
