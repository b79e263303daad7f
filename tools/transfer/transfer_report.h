#pragma once
// The transfer test's results on paper: the window's fields as they stand,
// line by line in the report's fonts. tallix-cli prints the same table.

#include <string>
#include <vector>

#include "services/print_layout.h"
#include "tools/transfer/transfer_figures.h"

namespace tallix::transfer {

struct ReportFields {
  std::string computerName;
  std::string ipAddress;
  std::string folder;
  ColumnTexts writing;
  ColumnTexts reading;
  std::string readCaveat;  // why the read figures may be the file cache's; empty: none
  std::string failure;     // what failed in the run; empty: nothing
};

enum class ReportFont { kDefault, kValue, kLabel, kTitle, kStamp };

struct ReportRun {
  ReportFont font;
  std::string text;
};
using ReportLine = std::vector<ReportRun>;

// From the "---Writing---     ---Reading---" heading to the Mbps line, then a
// note on the read figures and the failure, when there are any.
std::vector<ReportLine> ResultTable(const ReportFields& fields);

// The whole report: title, the stamp "(Printed by Tallix on MM-DD-YYYY At
// HH:MM:SS)", the computer, its address and the folder, then the table.
std::vector<ReportLine> TransferReport(const ReportFields& fields, const std::string& date, const std::string& time);

std::string PlainText(const ReportLine& line);

// Prints the report: each line's runs in their fonts (indexed by ReportFont),
// then the end of the line.
void PrintTransferReport(PrintLayout& printer, const PrintFont (&fonts)[5], const std::vector<ReportLine>& report);

}  // namespace tallix::transfer
