// Where each part of the loan chart goes, in the canvas's pixels, and how it
// is drawn. Two plots share the years axis: the balance above, the yearly
// bars below, each with a money axis of its own, since a year's payments are
// a small part of the amount borrowed.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_texts.h"

namespace tallix::loan {

namespace {

constexpr int kMoneyTicks = 4;

struct MoneyScale {
  double top = 1;
  double step = 1;
  int ticks = 1;
};

// Steps of 1, 2, 2.5 or 5 times a power of ten, at most kMoneyTicks of them
// reaching `most`.
MoneyScale ScaleFor(double most) {
  if (!(most > 0) || !std::isfinite(most)) most = 1;
  const double magnitude = std::pow(10.0, std::floor(std::log10(most / kMoneyTicks)));
  MoneyScale scale;
  for (double multiple : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    scale.step = multiple * magnitude;
    if (scale.step * kMoneyTicks >= most) break;
  }
  scale.ticks = std::clamp(int(std::ceil(most / scale.step - 1e-9)), 1, kMoneyTicks);
  scale.top = scale.ticks * scale.step;
  return scale;
}

int RoundToInt(double value) { return int(std::lround(value)); }

// Pixel row of `value` on a plot whose top stands for `scale`.
int RowOf(const ChartRect& plot, double value, double scale) {
  return plot.bottom - RoundToInt(std::clamp(value / scale, 0.0, 1.0) * plot.Height());
}

std::vector<ChartTick> MoneyTicks(const ChartRect& plot, const MoneyScale& scale) {
  std::vector<ChartTick> ticks;
  for (int i = 0; i <= scale.ticks; ++i) {
    ticks.push_back({RowOf(plot, i * scale.step, scale.top), Money(i * scale.step)});
  }
  return ticks;
}

int WidestText(ChartCanvas& canvas, const std::vector<ChartTick>& ticks) {
  int widest = 0;
  for (const ChartTick& tick : ticks) widest = std::max(widest, canvas.TextWidth(tick.text));
  return widest;
}

// Hatching of a rectangle: lines rising to the right, `spacing` apart, lined
// up across rectangles so that neighbouring bars look as one fabric.
void Hatch(ChartCanvas& canvas, const ChartRect& rect, int spacing, ChartColour colour, int width) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  const int first = rect.left + rect.top, last = rect.right - 1 + rect.bottom - 1;
  for (int sum = first + (spacing - first % spacing) % spacing; sum <= last; sum += spacing) {
    const int from = std::max(rect.left, sum - (rect.bottom - 1));
    const int to = std::min(rect.right - 1, sum - rect.top);
    if (from > to) continue;
    const ChartPoint line[] = {{from, sum - from}, {to, sum - to}};
    canvas.Polyline(line, colour, width);
  }
}

void Outline(ChartCanvas& canvas, const ChartRect& rect, ChartColour colour, int width) {
  const ChartPoint corners[] = {{rect.left, rect.bottom - 1},
                                {rect.left, rect.top},
                                {rect.right - 1, rect.top},
                                {rect.right - 1, rect.bottom - 1},
                                {rect.left, rect.bottom - 1}};
  canvas.Polyline(corners, colour, width);
}

// The line as drawn: of the points a pixel column holds (a long loan has
// several payments to a column) only the first and the last, the same pixels
// in a fraction of the time.
std::vector<ChartPoint> ColumnEnds(const std::vector<ChartPoint>& line) {
  std::vector<ChartPoint> ends;
  ends.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const bool first = i == 0 || line[i - 1].x != line[i].x;
    const bool last = i + 1 == line.size() || line[i + 1].x != line[i].x;
    if (first || last) ends.push_back(line[i]);
  }
  return ends;
}

void DashedColumn(ChartCanvas& canvas, int x, int from, int to, int dash, ChartColour colour, int width) {
  for (int y = from; y < to; y += 2 * dash) {
    const ChartPoint piece[] = {{x, y}, {x, std::min(y + dash, to)}};
    canvas.Polyline(piece, colour, width);
  }
}

constexpr std::string_view kLegend[] = {"Balance", "Principal", "Interest"};

// A swatch, a gap, the word, then three gaps before the next.
int LegendSwatch(int line) { return line * 3 / 2; }
int LegendWidth(ChartCanvas& canvas, int unit) {
  const int line = canvas.TextHeight(), gap = 4 * unit;
  int width = -3 * gap;
  for (std::string_view word : kLegend) width += LegendSwatch(line) + gap + canvas.TextWidth(word) + 3 * gap;
  return width;
}

}  // namespace

LoanChartGeometry LayOutLoanChart(const LoanChartData& data, const ChartRect& frame, double scale,
                                  ChartCanvas& canvas) {
  LoanChartGeometry g;
  g.frame = frame;
  g.unit = std::max(1, RoundToInt(scale));
  const auto px = [&](double design) { return RoundToInt(design * scale); };
  if (data.Empty()) {
    g.emptyText = "Calculate a loan to see its chart.";
    return g;
  }
  const int pad = px(6), line = canvas.TextHeight();
  const int payments = int(data.balances.size());

  double mostInYear = 0;
  for (const ChartYear& year : data.years) mostInYear = std::max(mostInYear, year.principal + year.interest);
  const MoneyScale balanceScale = ScaleFor(data.amount), barsScale = ScaleFor(mostInYear);
  g.balanceScale = balanceScale.top;
  g.barsScale = barsScale.top;

  // The labels decide the plots' left edge; their rows come once the plots are placed.
  g.balanceTicks = MoneyTicks({}, balanceScale);
  g.barsTicks = MoneyTicks({}, barsScale);
  const int left =
      frame.left + pad + std::max(WidestText(canvas, g.balanceTicks), WidestText(canvas, g.barsTicks)) + px(4);
  const int right = frame.right - pad - canvas.TextWidth("0000") / 2;
  const int balanceTop = frame.top + pad + line + pad + line / 2;
  g.yearsCaption = "Years from " + ScheduleDate(data.firstMonth, data.firstYear);
  const int barsBottom = frame.bottom - pad - line - px(2) - line - px(3);
  const int between = line + pad;
  const int each = (barsBottom - balanceTop - between) / 2;
  // Amounts whose labels fill the frame, or a frame a few lines high, leave
  // no plot worth the name.
  if (right - left < 4 * line || each < 2 * line) {
    g.emptyText = "Too little room to draw this loan.";
    return g;
  }
  g.balancePlot = {left, balanceTop, right, balanceTop + each};
  g.barsPlot = {left, g.balancePlot.bottom + between, right, g.balancePlot.bottom + between + each};
  g.balanceTicks = MoneyTicks(g.balancePlot, balanceScale);
  g.barsTicks = MoneyTicks(g.barsPlot, barsScale);

  const int width = g.balancePlot.Width();
  const auto column = [&](int month) { return left + RoundToInt(double(month) * width / payments); };
  g.balanceLine.reserve(std::size_t(payments) + 1);
  g.balanceLine.push_back({column(0), RowOf(g.balancePlot, data.amount, g.balanceScale)});
  for (int k = 0; k < payments; ++k) {
    g.balanceLine.push_back({column(k + 1), RowOf(g.balancePlot, data.balances[std::size_t(k)], g.balanceScale)});
  }

  g.bars.reserve(data.years.size());
  for (std::size_t year = 0; year < data.years.size(); ++year) {
    const ChartYear& paid = data.years[year];
    const int start = column(int(year) * 12), end = column(int(year) * 12 + paid.payments);
    const int gap = (end - start) >= 3 ? (end - start) / 6 : 0;
    ChartBar bar{start + gap, std::max(start + gap + 1, end - gap), g.barsPlot.bottom, 0, 0};
    bar.principalTop = RowOf(g.barsPlot, paid.principal, g.barsScale);
    bar.top = RowOf(g.barsPlot, paid.principal + paid.interest, g.barsScale);
    g.bars.push_back(bar);
  }
  if (data.crossoverYear > 0) {
    const ChartBar& bar = g.bars[std::size_t(data.crossoverYear - 1)];
    g.crossoverX = (bar.left + bar.right) / 2;
    g.crossoverLabel = "Principal > interest from year " + std::to_string(data.crossoverYear);
  }

  // Over the plots, unless a narrow chart needs the room of the labels too.
  g.legend = {std::max(frame.left + pad, std::min(left, frame.right - pad - LegendWidth(canvas, g.unit))),
              frame.top + pad};

  // Whole years, as often as their numbers fit side by side.
  const double pixelsPerYear = 12.0 * width / payments;
  const int label = canvas.TextWidth(std::to_string(payments / 12)) + 2 * pad;
  int step = 1;
  for (int candidate : {1, 2, 5, 10, 20, 25, 50, 100}) {
    step = candidate;
    if (candidate * pixelsPerYear >= label) break;
  }
  for (int year = 0; year * 12 <= payments; year += step)
    g.yearTicks.push_back({column(year * 12), std::to_string(year)});
  return g;
}

void DrawLoanChart(ChartCanvas& canvas, const LoanChartGeometry& g, const LoanChartPalette& palette) {
  canvas.FillRect(g.frame, palette.background);
  const int line = canvas.TextHeight(), thin = g.unit, gap = 4 * g.unit;
  if (!g.emptyText.empty()) {
    canvas.Text((g.frame.left + g.frame.right) / 2, (g.frame.top + g.frame.bottom - line) / 2, g.emptyText,
                palette.text, TextAlign::kCentre);
    return;
  }
  const auto moneyAxis = [&](const ChartRect& plot, const std::vector<ChartTick>& ticks) {
    for (const ChartTick& tick : ticks) {
      const ChartPoint rule[] = {{plot.left, tick.at}, {plot.right, tick.at}};
      if (tick.at != plot.bottom) canvas.Polyline(rule, palette.grid, thin);
      canvas.Text(plot.left - gap, tick.at - line / 2, tick.text, palette.text, TextAlign::kRight);
    }
    const ChartPoint axes[] = {{plot.left, plot.top}, {plot.left, plot.bottom}, {plot.right, plot.bottom}};
    canvas.Polyline(axes, palette.text, thin);
  };
  moneyAxis(g.balancePlot, g.balanceTicks);
  moneyAxis(g.barsPlot, g.barsTicks);

  for (const ChartBar& bar : g.bars) {
    canvas.FillRect({bar.left, bar.principalTop, bar.right, bar.base}, palette.principal);
    const ChartRect interest{bar.left, bar.top, bar.right, bar.principalTop};
    canvas.FillRect(interest, palette.interest);
    if (palette.hatchInterest && interest.Height() > 0) {
      Hatch(canvas, interest, 5 * g.unit, palette.interestHatch, thin);
      Outline(canvas, interest, palette.interestHatch, thin);
    }
  }
  canvas.Polyline(ColumnEnds(g.balanceLine), palette.balance, 2 * g.unit);

  if (!g.crossoverLabel.empty()) {
    DashedColumn(canvas, g.crossoverX, g.barsPlot.top - gap, g.barsPlot.bottom, gap, palette.text, thin);
    const int half = canvas.TextWidth(g.crossoverLabel) / 2;
    // Over the bars where it fits, else over the money labels too.
    const int leftmost = 2 * half <= g.barsPlot.Width() ? g.barsPlot.left + half : g.frame.left + 6 * g.unit + half;
    const int x = std::clamp(g.crossoverX, leftmost, std::max(leftmost, g.barsPlot.right - half));
    canvas.Text(x, g.barsPlot.top - gap - line, g.crossoverLabel, palette.text, TextAlign::kCentre);
  }

  for (const ChartTick& tick : g.yearTicks) {
    const ChartPoint mark[] = {{tick.at, g.barsPlot.bottom}, {tick.at, g.barsPlot.bottom + gap}};
    canvas.Polyline(mark, palette.text, thin);
    canvas.Text(tick.at, g.barsPlot.bottom + gap, tick.text, palette.text, TextAlign::kCentre);
  }
  canvas.Text((g.barsPlot.left + g.barsPlot.right) / 2, g.barsPlot.bottom + gap + line + g.unit, g.yearsCaption,
              palette.text, TextAlign::kCentre);

  // The legend runs along the top, each swatch before its word.
  int x = g.legend.x;
  const int top = g.legend.y, swatch = LegendSwatch(line), middle = top + line / 2;
  const auto word = [&](std::string_view text) {
    canvas.Text(x + swatch + gap, top, text, palette.text, TextAlign::kLeft);
    x += swatch + gap + canvas.TextWidth(text) + 3 * gap;
  };
  const ChartPoint sample[] = {{x, middle}, {x + swatch, middle}};
  canvas.Polyline(sample, palette.balance, 2 * g.unit);
  word(kLegend[0]);
  canvas.FillRect({x, top + g.unit, x + swatch, top + line - g.unit}, palette.principal);
  word(kLegend[1]);
  const ChartRect interest{x, top + g.unit, x + swatch, top + line - g.unit};
  canvas.FillRect(interest, palette.interest);
  if (palette.hatchInterest) {
    Hatch(canvas, interest, 5 * g.unit, palette.interestHatch, thin);
    Outline(canvas, interest, palette.interestHatch, thin);
  }
  word(kLegend[2]);
}

}  // namespace tallix::loan
