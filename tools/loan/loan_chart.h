#pragma once
// The loan drawn: the balance falling payment by payment as a line, and each
// year's payments as a bar of principal with interest stacked on it, the year
// in which principal first outweighs interest marked. The window, the printed
// report and tallix-cli's SVG all lay the chart out and draw it here, from the
// schedule's own figures, on a canvas of their own.

#include <span>
#include <string>
#include <vector>

#include "tools/loan/chart_canvas.h"
#include "tools/loan/loan_math.h"

namespace tallix::loan {

// One year of the loan: twelve payments from the first, fewer in a last
// part-year.
struct ChartYear {
  double principal = 0;
  double interest = 0;
  int payments = 0;
};

struct LoanChartData {
  double amount = 0;             // the balance before the first payment
  std::vector<double> balances;  // after each payment
  std::vector<ChartYear> years;  // from the first payment on
  int crossoverYear = 0;         // the first year paying more principal than interest; 0 for none
  int firstMonth = 1;
  int firstYear = 2000;
  bool Empty() const { return balances.empty(); }
};

LoanChartData ChartDataOf(double amount, std::span<const ScheduleRow> rows);

// The chart in words, for a screen reader and the SVG's description; for
// 200,000 at 6.5 % over 30 years: "Balance falls from $200,000.00 to $0.00
// over 30 years; principal exceeds interest from year 20."
std::string DescribeLoanChart(const LoanChartData& data);
// Its name: "Loan chart".
inline constexpr std::string_view kLoanChartTitle = "Loan chart";

struct ChartTick {
  int at = 0;  // pixel: y on a money axis, x on the years axis
  std::string text;
};

// A year's bar: principal from `base` up to `principalTop`, interest from
// there up to `top` (pixels grow downwards, so base >= principalTop >= top).
struct ChartBar {
  int left = 0;
  int right = 0;
  int base = 0;
  int principalTop = 0;
  int top = 0;
};

struct LoanChartGeometry {
  ChartRect frame;
  ChartRect balancePlot;
  ChartRect barsPlot;
  double balanceScale = 0;  // the amount at the top of each plot
  double barsScale = 0;
  std::vector<ChartPoint> balanceLine;  // the start, then one point a payment
  std::vector<ChartBar> bars;           // one a year
  std::vector<ChartTick> balanceTicks, barsTicks, yearTicks;
  int crossoverX = 0;  // the middle of the crossover year's bar
  std::string crossoverLabel;
  std::string yearsCaption;
  ChartPoint legend;      // the top-left corner of the legend's one line
  std::string emptyText;  // shown alone when there is no loan to draw
  int unit = 1;           // pixels to a design pixel, rounded, at least 1
};

// Lays the chart out in `frame`, `scale` pixels to a pixel of a 96-DPI
// screen, with the canvas's text measures.
LoanChartGeometry LayOutLoanChart(const LoanChartData& data, const ChartRect& frame, double scale, ChartCanvas& canvas);

struct LoanChartPalette {
  ChartColour background;
  ChartColour text;
  ChartColour grid;
  ChartColour balance;
  ChartColour principal;
  ChartColour interest;
  // Diagonal lines in `interestHatch` over `interest`, for paper and high
  // contrast, where a second fill colour might not tell the parts apart.
  bool hatchInterest = false;
  ChartColour interestHatch = 0;
};
// On white: the window's light look and the SVG.
inline constexpr LoanChartPalette kLightChartPalette{ChartRgb(255, 255, 255),
                                                     ChartRgb(0, 0, 0),
                                                     ChartRgb(220, 220, 220),
                                                     ChartRgb(0, 90, 50),
                                                     ChartRgb(70, 120, 190),
                                                     ChartRgb(235, 150, 60),
                                                     false,
                                                     0};
// Black and greys on white, the interest hatched: for any printer.
inline constexpr LoanChartPalette kPrintChartPalette{ChartRgb(255, 255, 255),
                                                     ChartRgb(0, 0, 0),
                                                     ChartRgb(200, 200, 200),
                                                     ChartRgb(0, 0, 0),
                                                     ChartRgb(150, 150, 150),
                                                     ChartRgb(255, 255, 255),
                                                     true,
                                                     ChartRgb(0, 0, 0)};

void DrawLoanChart(ChartCanvas& canvas, const LoanChartGeometry& geometry, const LoanChartPalette& palette);

}  // namespace tallix::loan
