#include "app/tape/tape_print.h"

#include <algorithm>

#include "app/main_window/tape_colour.h"

namespace tallix {

namespace {

constexpr PrintColour kBlack = 0;
// The heading line and the two empty lines under it.
constexpr int kHeadingLines = 3;

void PrintHeading(PrintLayout& printer, const std::string& heading) {
  printer.SetColour(kBlack);
  printer.Text(heading);
  for (int i = 0; i < kHeadingLines; ++i) printer.EndLine();
}

}  // namespace

void PrintTapeReport(PrintLayout& printer, std::span<const std::string> lines, const TapeStamp& stamp) {
  const std::string heading = TapeReportHeading(stamp);
  // At least one tape line a page, however large the font, so that the
  // report always comes to an end.
  const int linesPerPage = std::max(1, printer.LinesPerPage() - kHeadingLines);
  PrintHeading(printer, heading);
  int page = 1;
  int onPage = 0;
  for (const std::string& line : lines) {
    if (onPage == linesPerPage) {
      printer.FormFeed();
      PrintHeading(printer, heading + ", page " + std::to_string(++page));
      onPage = 0;
    }
    printer.SetColour(TapeLineColour(line, TapeMedium::Paper, kBlack));
    printer.Text(RightAlignedTapeLine(line));
    printer.EndLine();
    ++onPage;
  }
  printer.FormFeed();
}

}  // namespace tallix
