#pragma once
// "Print Results": the transfer test's report on a printer the user picks.
#include <windows.h>

#include "tools/transfer/transfer_report.h"

namespace tallix::transfer {

// Shows the print dialog owned by `owner` and prints the report of `fields`
// (Windows-1252 texts), stamped with the local date and time. Cancelling the
// dialog prints nothing; a printer that fails is reported in a message box.
void PrintTransferResults(HWND owner, const ReportFields& fields);

}  // namespace tallix::transfer
