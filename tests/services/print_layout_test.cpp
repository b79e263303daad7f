// The printing service's positions and pages, on a recording surface.
#include "services/print_layout.h"

#include <gtest/gtest.h>

#include "tests/services/recording_print_surface.h"

namespace tallix::print_test {
namespace {

TEST(PrintLayout, PlacesRunsAndStartsPagesOnlyWhenSomethingIsDrawn) {
  RecordingSurface surface;
  PrintLayout printer(surface);
  printer.FormFeed();
  EXPECT_TRUE(surface.pages.empty());

  printer.Text("ab");
  printer.Text("");
  printer.Text("c");
  EXPECT_EQ(printer.x(), 30);
  printer.EndLine();
  printer.SetFont(1);
  printer.EndLine();  // by the height of the font selected now
  printer.SetColour(255);
  printer.Text("r");
  EXPECT_EQ(printer.y(), 60);
  ASSERT_EQ(surface.pages.size(), 1u);
  const std::vector<RecordedRun>& page = surface.pages[0];
  ASSERT_EQ(page.size(), 3u);
  EXPECT_EQ(page[0].text, "ab");
  EXPECT_EQ(page[1].x, 20);
  EXPECT_EQ(page[1].colour, 0u);
  EXPECT_EQ(page[2].x, 0);
  EXPECT_EQ(page[2].y, 60);
  EXPECT_EQ(page[2].font, 1);
  EXPECT_EQ(page[2].colour, 255u);

  printer.FormFeed();
  EXPECT_FALSE(surface.pageOpen);
  EXPECT_EQ(printer.y(), 0);
  printer.EndLine();  // a page of line ends alone still comes out
  printer.FormFeed();
  printer.FormFeed();
  EXPECT_EQ(surface.pages.size(), 2u);
  EXPECT_TRUE(surface.pages[1].empty());

  printer.SetColour(0xFFFFFFFF);  // no colour: black
  printer.Text("k");
  EXPECT_EQ(surface.pages[2][0].colour, 0u);
}

TEST(PrintLayout, LinesPerPageFollowTheFontAndThePage) {
  RecordingSurface surface;
  PrintLayout printer(surface);
  EXPECT_EQ(printer.LinesPerPage(), 50);
  surface.area.height = 990;  // read again when the page starts
  printer.SetFont(1);
  EXPECT_EQ(printer.LinesPerPage(), 24);

  surface.lineHeight = 0;
  PrintLayout broken(surface);
  EXPECT_EQ(broken.LinesPerPage(), 0);
}

TEST(PrintLayout, FontHeightFromPointsAndResolution) {
  EXPECT_EQ(PrintFontHeight(600, 0), -67);  // 0 points means 8
  EXPECT_EQ(PrintFontHeight(300, 12), -50);
  EXPECT_EQ(PrintFontHeight(96, 10), -13);
}

}  // namespace
}  // namespace tallix::print_test
