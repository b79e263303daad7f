#pragma once
// The loan window's amortization schedule as a report-mode list view: its
// seven columns, and its rows filled in one go.
#include <windows.h>

#include <vector>

#include "tools/loan/loan_texts.h"

namespace tallix::loan {

// The columns at the list's DPI, and their widths again for a new DPI.
void AddScheduleColumns(HWND list);
void ScaleScheduleColumns(HWND list, int dpi);

// Replaces every row by one a payment, as its texts. A 1,200-payment schedule
// goes in with the list's drawing held back and its rows allotted at once.
void FillScheduleList(HWND list, const std::vector<ScheduleRowTexts>& rows);

}  // namespace tallix::loan
