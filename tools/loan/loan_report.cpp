#include "tools/loan/loan_report.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tallix::loan {

namespace {

constexpr const char* kColumnHeading[] = {
    "                                                  Total          Total",
    " #    Date      Principal       Interest        Principal       Interest        Balance      ",
    "---   -------   -------------   -------------   -------------   -------------   -------------",
};
// Lines a page gets before its first schedule row: the fields on the first,
// the title and heading on the others.
constexpr int kFirstPageStart = 30;
constexpr int kNextPageStart = 10;

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : Blanks(width - text.size()) + text;
}

std::string RowLine(const ScheduleRowTexts& row) {
  std::string line = RightAligned(row[0], 3) + Blanks(3) + row[1] + Blanks(3);
  for (std::size_t column = 2; column < row.size(); ++column) line += RightAligned(row[column], 16);
  return line;
}

class ReportPrinter {
 public:
  ReportPrinter(PrintLayout& printer, const LoanReportFonts& fonts) : printer_(printer), fonts_(fonts) {}

  void Line(PrintFont font, const std::string& text) {
    printer_.SetFont(font);
    printer_.Text(text);
    printer_.EndLine();
  }
  void Field(const std::string& label, const std::string& value) {
    printer_.SetFont(fonts_.bold);
    printer_.Text(label);
    printer_.SetFont(fonts_.regular);
    printer_.Text(value);
    printer_.EndLine();
  }
  void EmptyLines(int count) {
    for (int i = 0; i < count; ++i) printer_.EndLine();
  }
  void ScheduleHeading() { Line(fonts_.title, Blanks(16) + "Amortization Schedule"); }
  void ColumnHeading() {
    for (const char* line : kColumnHeading) Line(fonts_.bold, line);
    printer_.SetFont(fonts_.regular);
  }
  void Footer(int page) { Line(fonts_.regular, Blanks(44) + "Page " + std::to_string(page)); }

 private:
  PrintLayout& printer_;
  const LoanReportFonts& fonts_;
};

// The chart's calls on the page, placed at the layout's position.
class PrintedChart final : public ChartCanvas {
 public:
  PrintedChart(PrintLayout& printer, PrintFont font) : printer_(printer), font_(font) {}

  void FillRect(const ChartRect& rect, ChartColour colour) override {
    printer_.Fill({rect.left, rect.top, rect.right, rect.bottom}, colour);
  }
  void Polyline(std::span<const ChartPoint> points, ChartColour colour, int width) override {
    corners_.clear();
    for (const ChartPoint& point : points) corners_.push_back({point.x, point.y});
    printer_.Polyline(corners_, colour, width);
  }
  void Text(int x, int y, std::string_view text, ChartColour colour, TextAlign align) override {
    if (align != TextAlign::kLeft) x -= TextWidth(text) / (align == TextAlign::kCentre ? 2 : 1);
    printer_.TextAt(x, y, font_, colour, text);
  }
  int TextWidth(std::string_view text) override { return printer_.TextWidth(font_, text); }
  int TextHeight() override { return printer_.LineHeight(font_); }

 private:
  PrintLayout& printer_;
  PrintFont font_;
  std::vector<PrintPoint> corners_;
};

// As wide as a schedule row, so that it lines up with the table below.
void PrintChart(PrintLayout& printer, const LoanReportFonts& fonts, const LoanChartData& chart, int height) {
  PrintedChart canvas(printer, fonts.chart);
  const int width = std::min(printer.Area().width, printer.TextWidth(fonts.regular, kColumnHeading[2]));
  const ChartRect frame{0, printer.y(), width, printer.y() + height};
  DrawLoanChart(canvas, LayOutLoanChart(chart, frame, printer.DotsPerInch() / 96.0, canvas), kPrintChartPalette);
  printer.Skip(height);
}

std::string PrintedNote(const TapeStamp& at) {
  char text[80];
  std::snprintf(text, sizeof text, "(Printed by Tallix on %02d-%02d-%04d At %02d:%02d:%02d)", at.month, at.day, at.year,
                at.hour, at.minute, at.second);
  return text;
}

}  // namespace

void PrintLoanReport(PrintLayout& printer, const LoanReportFonts& fonts, const LoanSheet& sheet,
                     std::span<const ScheduleRowTexts> rows, const LoanChartData& chart, const TapeStamp& printed) {
  ReportPrinter report(printer, fonts);
  report.Line(fonts.title, "Loan Analysis...");
  report.Line(fonts.note, PrintedNote(printed));
  report.EmptyLines(2);
  report.Field("Loan Name: ", sheet.name);
  report.Field("Amount Financed: ", sheet.amount);
  report.Field("Annual Interest: ", sheet.rate);
  report.Field("Duration in Years: ", sheet.years);
  report.Field("Compounded: ", sheet.compounding);
  report.EmptyLines(1);
  report.Field("Monthly Payments: ", sheet.results[0]);
  report.Field("Total # Payments: ", sheet.results[1]);
  report.Field("Yearly Principal + Interest: ", sheet.results[2]);
  report.EmptyLines(1);
  report.Field("Principal Amount: ", sheet.results[3]);
  report.Field("Finance Charges: ", sheet.results[4]);
  report.Field("Total Cost: ", sheet.results[5]);
  report.EmptyLines(3);
  printer.SetFont(fonts.regular);
  const int lineHeight = printer.LineHeight(fonts.regular);
  // Room for the chart, an empty line and at least one row below it.
  const bool charted = !rows.empty() && !chart.Empty() && lineHeight > 0 &&
                       printer.LinesPerPage() >= kFirstPageStart + kReportChartLines + 2;
  if (charted) {
    PrintChart(printer, fonts, chart, kReportChartLines * lineHeight);
    report.EmptyLines(1);
  }
  report.ScheduleHeading();
  report.EmptyLines(1);
  report.ColumnHeading();
  const int capacity = printer.LinesPerPage();
  int page = 1;
  int counter = kFirstPageStart + (rows.empty() ? 1 : 0) + (charted ? kReportChartLines + 1 : 0);
  for (const ScheduleRowTexts& row : rows) {
    report.Line(fonts.regular, RowLine(row));
    if (++counter < capacity) continue;
    report.EmptyLines(2);
    report.Footer(page++);
    printer.FormFeed();
    report.ScheduleHeading();
    report.Line(fonts.note, Blanks(53) + "(Continued)");
    report.EmptyLines(1);
    report.ColumnHeading();
    counter = kNextPageStart;
  }
  // The last page's footer sits one line below where a full page has it.
  for (; counter <= capacity + 2; ++counter) report.EmptyLines(1);
  report.Footer(page);
  printer.FormFeed();
}

}  // namespace tallix::loan
