#pragma once
// A PrintSurface that keeps what is drawn, page by page: characters 10 pixels
// wide, a line height of 20 pixels in the default font and 40 in any other,
// and the shapes of pictures.

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "services/print_layout.h"

namespace tallix::print_test {

struct RecordedRun {
  int x;
  int y;
  PrintFont font;
  PrintColour colour;
  std::string text;
};

class RecordingSurface : public PrintSurface {
 public:
  PrintArea Area() override { return area; }
  void StartPage() override {
    EXPECT_FALSE(pageOpen) << "a page started inside another";
    pages.emplace_back();
    pageOpen = true;
  }
  void EndPage() override {
    EXPECT_TRUE(pageOpen) << "a page ended that was not started";
    pageOpen = false;
  }
  void Draw(const PrintRun& run) override {
    ASSERT_TRUE(pageOpen) << "drawn outside a page: " << run.text;
    pages.back().push_back({run.x, run.y, run.font, run.colour, std::string(run.text)});
  }
  int LineHeight(PrintFont font) override { return font == kDefaultPrintFont ? lineHeight : 2 * lineHeight; }
  int TextWidth(PrintFont, std::string_view text) override { return 10 * static_cast<int>(text.size()); }
  void Fill(const PrintBox& box, PrintColour colour) override {
    ASSERT_TRUE(pageOpen) << "filled outside a page";
    shapes.push_back({int(pages.size()) - 1, {{box.left, box.top}, {box.right, box.bottom}}, colour, 0});
  }
  void Polyline(std::span<const PrintPoint> points, PrintColour colour, int width) override {
    ASSERT_TRUE(pageOpen) << "a line outside a page";
    shapes.push_back({int(pages.size()) - 1, {points.begin(), points.end()}, colour, width});
  }
  int DotsPerInch() override { return 96; }

  // A fill is its two corners with width 0.
  struct Shape {
    int page;
    std::vector<PrintPoint> points;
    PrintColour colour;
    int width;
  };

  PrintArea area{800, 1000};
  int lineHeight = 20;
  bool pageOpen = false;
  std::vector<std::vector<RecordedRun>> pages;
  std::vector<Shape> shapes;
};

}  // namespace tallix::print_test
