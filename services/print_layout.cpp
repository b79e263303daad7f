#include "services/print_layout.h"

#include <cmath>

namespace tallix {

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
  colour_ = colour > 0xFFFFFF ? 0 : colour;
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

int PrintLayout::LinesPerPage() const { return lineHeight_ > 0 ? area_.height / lineHeight_ : 0; }

int PrintFontHeight(int pixelsPerInch, int points) {
  return -static_cast<int>(std::lround(pixelsPerInch * (points == 0 ? 8 : points) / 72.0));
}

}  // namespace tallix
