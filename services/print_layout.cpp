#include "services/print_layout.h"

#include <cmath>

namespace tallix {

namespace {
// What is no colour prints black.
PrintColour Printable(PrintColour colour) { return colour > 0xFFFFFF ? 0 : colour; }
}  // namespace

PrintLayout::PrintLayout(PrintSurface& surface)
    : surface_(surface), area_(surface.Area()), lineHeight_(surface.LineHeight(kDefaultPrintFont)) {}

void PrintLayout::OpenPage() {
  if (pageOpen_) return;
  surface_.StartPage();
  area_ = surface_.Area();
  pageOpen_ = true;
  x_ = 0;
  y_ = 0;
}

void PrintLayout::SetFont(PrintFont font) {
  OpenPage();
  font_ = font;
  lineHeight_ = surface_.LineHeight(font);
}

void PrintLayout::SetColour(PrintColour colour) {
  OpenPage();
  colour_ = Printable(colour);
}

void PrintLayout::Text(std::string_view text) {
  OpenPage();
  if (text.empty()) return;
  surface_.Draw({x_, y_, font_, colour_, text});
  x_ += surface_.TextWidth(font_, text);
}

void PrintLayout::EndLine() {
  OpenPage();
  x_ = 0;
  y_ += lineHeight_;
}

void PrintLayout::FormFeed() {
  if (pageOpen_) surface_.EndPage();
  pageOpen_ = false;
  x_ = 0;
  y_ = 0;
}

void PrintLayout::Fill(const PrintBox& box, PrintColour colour) {
  OpenPage();
  surface_.Fill(box, Printable(colour));
}

void PrintLayout::Polyline(std::span<const PrintPoint> points, PrintColour colour, int width) {
  OpenPage();
  if (points.size() >= 2) surface_.Polyline(points, Printable(colour), width);
}

void PrintLayout::TextAt(int x, int y, PrintFont font, PrintColour colour, std::string_view text) {
  OpenPage();
  if (!text.empty()) surface_.Draw({x, y, font, Printable(colour), text});
}

void PrintLayout::Skip(int pixels) {
  OpenPage();
  x_ = 0;
  y_ += pixels;
}

int PrintLayout::LinesPerPage() const { return lineHeight_ > 0 ? area_.height / lineHeight_ : 0; }

int PrintFontHeight(int pixelsPerInch, int points) {
  return -static_cast<int>(std::lround(pixelsPerInch * (points == 0 ? 8 : points) / 72.0));
}

}  // namespace tallix
