#include "tools/loan/loan_chart_svg.h"

#include <cstdio>
#include <string_view>

namespace tallix::loan {

namespace {

constexpr int kFontPixels = 12;

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Colour(ChartColour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(colour & 0xFF), unsigned(colour >> 8 & 0xFF),
                unsigned(colour >> 16 & 0xFF));
  return text;
}

// Measures by a generous average advance of a sans-serif face, so that a
// viewer's own font never runs a label into its neighbour.
class SvgCanvas final : public ChartCanvas {
 public:
  void FillRect(const ChartRect& rect, ChartColour colour) override {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    body_ += "<rect x=\"" + std::to_string(rect.left) + "\" y=\"" + std::to_string(rect.top) + "\" width=\"" +
             std::to_string(rect.Width()) + "\" height=\"" + std::to_string(rect.Height()) + "\" fill=\"" +
             Colour(colour) + "\"/>\n";
  }
  void Polyline(std::span<const ChartPoint> points, ChartColour colour, int width) override {
    if (points.size() < 2) return;
    body_ += "<polyline fill=\"none\" stroke=\"" + Colour(colour) + "\" stroke-width=\"" + std::to_string(width) +
             "\" stroke-linejoin=\"round\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (i > 0) body_ += ' ';
      // Pixel centres, as GDI's pens draw them.
      body_ += std::to_string(points[i].x) + ".5," + std::to_string(points[i].y) + ".5";
    }
    body_ += "\"/>\n";
  }
  void Text(int x, int y, std::string_view text, ChartColour colour, TextAlign align) override {
    static constexpr const char* kAnchor[] = {"start", "middle", "end"};
    body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + kFontPixels) + "\" text-anchor=\"" +
             kAnchor[int(align)] + "\" fill=\"" + Colour(colour) + "\">" + Escaped(text) + "</text>\n";
  }
  int TextWidth(std::string_view text) override { return int(text.size()) * kFontPixels * 5 / 8; }
  int TextHeight() override { return kFontPixels + 3; }

  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

}  // namespace

std::string LoanChartSvg(const LoanChartData& data, int width, int height) {
  SvgCanvas canvas;
  DrawLoanChart(canvas, LayOutLoanChart(data, {0, 0, width, height}, 1.0, canvas), kLightChartPalette);
  const std::string size = "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" " +
         size + " viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) +
         "\" font-family=\"Tahoma, Verdana, 'DejaVu Sans', sans-serif\" font-size=\"" + std::to_string(kFontPixels) +
         "\">\n<title>" + Escaped(kLoanChartTitle) + "</title>\n<desc>" + Escaped(DescribeLoanChart(data)) +
         "</desc>\n" + canvas.body() + "</svg>\n";
}

}  // namespace tallix::loan
