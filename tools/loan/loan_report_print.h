#pragma once
// The loan window's Print: the system's print dialog, with the main window
// out of the topmost band while it shows, then the analysis on the printer
// chosen.
#include <windows.h>

#include <span>
#include <string>

#include "side_window/side_window_context.h"
#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_texts.h"

namespace tallix::loan {

// What went wrong, for a message; empty when printed or cancelled.
std::string PrintLoanAnalysis(HWND owner, SideWindowContext& main, const LoanSheet& sheet,
                              std::span<const ScheduleRowTexts> rows, const LoanChartData& chart);

}  // namespace tallix::loan
