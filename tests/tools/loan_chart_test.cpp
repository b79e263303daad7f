// The loan chart's geometry against the schedule it is drawn from: the
// balance line, each year's bars and the crossover year, at 96 and 144 DPI.
#include "tools/loan/loan_chart.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "tools/loan/loan_texts.h"

namespace tallix::loan {
namespace {

// Measures text as a proportional face would at `scale`, and keeps what is
// drawn on it.
class MeasuringCanvas final : public ChartCanvas {
 public:
  explicit MeasuringCanvas(double scale) : scale_(scale) {}

  struct DrawnText {
    int left, top, right;
    std::string text;
  };

  void FillRect(const ChartRect& rect, ChartColour) override { fills.push_back(rect); }
  void Polyline(std::span<const ChartPoint> points, ChartColour, int) override {
    lines.emplace_back(points.begin(), points.end());
  }
  void Text(int x, int y, std::string_view text, ChartColour, TextAlign align) override {
    const int width = TextWidth(text);
    const int left = align == TextAlign::kLeft ? x : align == TextAlign::kCentre ? x - width / 2 : x - width;
    texts.push_back({left, y, left + width, std::string(text)});
  }
  int TextWidth(std::string_view text) override { return int(std::lround(7.0 * double(text.size()) * scale_)); }
  int TextHeight() override { return int(std::lround(13.0 * scale_)); }

  std::vector<ChartRect> fills;
  std::vector<std::vector<ChartPoint>> lines;
  std::vector<DrawnText> texts;

 private:
  double scale_;
};

// `phrase` stands in `text` as whole words: "year 1" is not found in "year 12".
bool SaysWords(const std::string& text, const std::string& phrase) {
  const auto wordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at + 1)) {
    const std::size_t end = at + phrase.size();
    if ((at == 0 || !wordChar(text[at - 1])) && (end == text.size() || !wordChar(text[end]))) return true;
  }
  return false;
}

bool Inside(const ChartRect& frame, ChartPoint point) {
  return point.x >= frame.left && point.x < frame.right && point.y >= frame.top && point.y < frame.bottom;
}

struct LoanCase {
  const char* amount;
  const char* rate;
  const char* years;
  const char* amountWords;
  const char* durationWords;
};

TEST(LoanChart, GeometryFollowsTheScheduleAtEachScale) {
  const LoanCase loans[] = {{"200000", "6.5", "30", "$200,000.00", "30 years"},
                            {"5000", "12", "1", "$5,000.00", "1 year"},
                            // Interest is next to nothing, and the last year has six payments.
                            {"100000", "0.01", "10.5", "$100,000.00", "10 years and 6 months"}};
  for (const LoanCase& loan : loans) {
    const LoanInputs inputs = ReadInputs(
        {ReformatAmount(loan.amount), ReformatRate(loan.rate), loan.years, "03-15-2010", kMonthlyCompounding});
    const std::vector<ScheduleRow> rows = ComputeSchedule(inputs, ComputeTerms(inputs));
    ASSERT_FALSE(rows.empty()) << loan.amount;
    const LoanChartData data = ChartDataOf(inputs.amount, rows);

    // Each year's payments from the rows, and the first full year paying more principal than interest.
    std::vector<double> paid, principal;
    int crossover = 0;
    for (std::size_t from = 0; from < rows.size(); from += 12) {
      double p = 0, i = 0;
      for (std::size_t k = from; k < std::min(rows.size(), from + 12); ++k)
        p += rows[k].principal, i += rows[k].interest;
      paid.push_back(p + i);
      principal.push_back(p);
      if (crossover == 0 && from + 12 <= rows.size() && p > i) crossover = int(paid.size());
    }
    ASSERT_GT(crossover, 0) << loan.amount;
    EXPECT_EQ(data.crossoverYear, crossover) << loan.amount;

    const std::string words = DescribeLoanChart(data);
    EXPECT_TRUE(SaysWords(words, loan.amountWords)) << words;
    EXPECT_TRUE(SaysWords(words, loan.durationWords)) << words;
    EXPECT_TRUE(SaysWords(words, "year " + std::to_string(crossover))) << words;

    for (const double scale : {1.0, 1.5}) {
      SCOPED_TRACE(std::string(loan.amount) + " at scale " + std::to_string(scale));
      MeasuringCanvas canvas(scale);
      const auto px = [&](int design) { return int(std::lround(design * scale)); };
      const ChartRect frame{px(10), px(20), px(10 + 640), px(20 + 400)};
      const LoanChartGeometry g = LayOutLoanChart(data, frame, scale, canvas);
      const ChartRect& plot = g.balancePlot;
      const ChartRect& bars = g.barsPlot;
      EXPECT_TRUE(g.emptyText.empty());
      ASSERT_GT(plot.Height(), 0);
      ASSERT_GT(bars.Height(), 0);
      EXPECT_LE(plot.bottom, bars.top);

      // From the amount's row at the left edge down to the axis at the right, never rising.
      EXPECT_GE(g.balanceScale, inputs.amount);
      ASSERT_EQ(g.balanceLine.size(), rows.size() + 1);
      const int amountRow = plot.bottom - int(std::lround(inputs.amount / g.balanceScale * plot.Height()));
      EXPECT_EQ(g.balanceLine.front(), (ChartPoint{plot.left, amountRow}));
      EXPECT_EQ(g.balanceLine.back(), (ChartPoint{plot.right, plot.bottom}));
      for (std::size_t k = 1; k < g.balanceLine.size(); ++k) {
        EXPECT_GE(g.balanceLine[k].x, g.balanceLine[k - 1].x) << "payment " << k;
        EXPECT_GE(g.balanceLine[k].y, g.balanceLine[k - 1].y) << "payment " << k;
      }

      // Each year's bar stands for its payments, principal at the foot, side by side inside the plot.
      ASSERT_EQ(g.bars.size(), paid.size());
      for (std::size_t year = 0; year < g.bars.size(); ++year) {
        const ChartBar& bar = g.bars[year];
        SCOPED_TRACE("year " + std::to_string(year + 1));
        EXPECT_EQ(bar.base, bars.bottom);
        EXPECT_LE(bars.top, bar.top);
        EXPECT_LE(bar.top, bar.principalTop);
        EXPECT_LE(bar.principalTop, bar.base);
        EXPECT_LT(bar.left, bar.right);
        EXPECT_GE(bar.left, year == 0 ? bars.left : g.bars[year - 1].right);
        EXPECT_LE(bar.right, bars.right);
        EXPECT_NEAR(bar.base - bar.top, paid[year] / g.barsScale * bars.Height(), 1.0);
        EXPECT_NEAR(bar.base - bar.principalTop, principal[year] / g.barsScale * bars.Height(), 1.0);
      }
      const ChartBar& marked = g.bars[std::size_t(crossover - 1)];
      EXPECT_GE(g.crossoverX, marked.left);
      EXPECT_LT(g.crossoverX, marked.right);
      EXPECT_TRUE(SaysWords(g.crossoverLabel, std::to_string(crossover))) << g.crossoverLabel;

      // Drawn in either palette, nothing leaves the frame.
      for (const LoanChartPalette& palette : {kLightChartPalette, kPrintChartPalette}) {
        MeasuringCanvas drawn(scale);
        DrawLoanChart(drawn, g, palette);
        for (const ChartRect& fill : drawn.fills) {
          EXPECT_TRUE(frame.left <= fill.left && fill.right <= frame.right && frame.top <= fill.top &&
                      fill.bottom <= frame.bottom)
              << "fill " << fill.left << "," << fill.top << " " << fill.right << "," << fill.bottom;
        }
        for (const std::vector<ChartPoint>& line : drawn.lines) {
          for (const ChartPoint& point : line) EXPECT_TRUE(Inside(frame, point)) << point.x << "," << point.y;
        }
        for (const MeasuringCanvas::DrawnText& text : drawn.texts) {
          EXPECT_TRUE(frame.left <= text.left && text.right <= frame.right && frame.top <= text.top &&
                      text.top + drawn.TextHeight() <= frame.bottom)
              << text.text << " at " << text.left << "," << text.top;
        }
      }
    }
  }
}

TEST(LoanChart, NoLoanIsToldAndLaysOutOnlyItsText) {
  const LoanChartData none = ChartDataOf(100000, {});
  EXPECT_TRUE(none.Empty());
  EXPECT_TRUE(SaysWords(DescribeLoanChart(none), "No loan calculated")) << DescribeLoanChart(none);
  MeasuringCanvas canvas(1.0);
  const ChartRect frame{0, 0, 400, 300};
  const LoanChartGeometry g = LayOutLoanChart(none, frame, 1.0, canvas);
  EXPECT_FALSE(g.emptyText.empty());
  EXPECT_TRUE(g.balanceLine.empty() && g.bars.empty() && g.crossoverLabel.empty());
  EXPECT_TRUE(g.balanceTicks.empty() && g.barsTicks.empty() && g.yearTicks.empty());
  DrawLoanChart(canvas, g, kLightChartPalette);
  EXPECT_TRUE(canvas.lines.empty());
  ASSERT_EQ(canvas.fills.size(), 1u);  // the background
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, g.emptyText);
}

}  // namespace
}  // namespace tallix::loan
