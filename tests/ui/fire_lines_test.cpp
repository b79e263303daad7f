#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/exports.h"
#include "ui/fire_lines.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

class FireLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    line = FIRELINES(parent.window, 1015, 0, 100, 120, 8, 0, 0);
    ASSERT_NE(line, nullptr);
    Pump();
  }
  void TearDown() override {
    DestroyWindow(line);
    Pump();
  }
  LRESULT Set(UINT message, WPARAM value) { return SendMessageW(line, message, value, TRUE); }

  RecordingParent& parent = SharedParent();
  HWND line = nullptr;
};

TEST_F(FireLinesTest, CreatedAsATransparentVisibleChildWithDefaults) {
  EXPECT_EQ(ClassOf(line), L"FIRELINES");
  EXPECT_EQ(GetDlgCtrlID(line), 1015);
  const LONG style = GetWindowLongW(line, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(GetWindowLongW(line, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  FireLinesInfo info = *GetFireLinesInfo(line);
  EXPECT_EQ(info.shape, 1);
  EXPECT_EQ(info.orientation, 0);
  EXPECT_EQ(info.penColor, 0u);
  EXPECT_EQ(info.penWidth, 1);
  EXPECT_EQ(info.penStyle, 0);
  EXPECT_EQ(info.rounding, 0);
  EXPECT_EQ(info.filled, 1);
  EXPECT_EQ(info.backColor, GetSysColor(COLOR_BTNFACE));
}

TEST_F(FireLinesTest, PrivateMessagesChangeEachSettingAndReturnThePreviousValue) {
  EXPECT_EQ(Set(kFlSetShape, 0), 1);
  EXPECT_EQ(Set(kFlSetOrientation, 1), 0);
  EXPECT_EQ(Set(kFlSetPenColor, RGB(128, 128, 128)), 0);
  EXPECT_EQ(Set(kFlSetPenWidth, 3), 1);
  EXPECT_EQ(Set(kFlSetPenStyle, 2), 0);
  EXPECT_EQ(Set(kFlSetRounding, 6), 0);
  EXPECT_EQ(Set(kFlSetFilled, 0), 1);
  EXPECT_EQ(static_cast<COLORREF>(Set(kFlSetBackColor, RGB(236, 233, 216))), GetSysColor(COLOR_BTNFACE));
  FireLinesInfo info = *GetFireLinesInfo(line);
  EXPECT_EQ(info.shape, 0);
  EXPECT_EQ(info.orientation, 1);
  EXPECT_EQ(info.penColor, RGB(128, 128, 128));
  EXPECT_EQ(info.penWidth, 3);
  EXPECT_EQ(info.penStyle, 2);
  EXPECT_EQ(info.rounding, 6);
  EXPECT_EQ(info.filled, 0);
  EXPECT_EQ(info.backColor, RGB(236, 233, 216));
}

TEST_F(FireLinesTest, PaintsTheMainWindowSeparator) {
  // The main window's settings: filled beige background, grey horizontal line.
  Set(kFlSetBackColor, RGB(236, 233, 216));
  Set(kFlSetPenColor, RGB(128, 128, 128));
  Pixels pixels = Render(line);
  for (int x = 0; x < pixels.width; ++x) ASSERT_EQ(pixels.At(x, 0), RGB(128, 128, 128)) << x;
  EXPECT_EQ(pixels.At(5, 4), RGB(236, 233, 216));
  EXPECT_EQ(pixels.Count(RGB(236, 233, 216)), pixels.width * (pixels.height - 1));
}

TEST_F(FireLinesTest, VerticalUnfilledLineLeavesTheBackground) {
  Set(kFlSetOrientation, 1);
  Set(kFlSetFilled, 0);
  Set(kFlSetPenColor, RGB(255, 0, 0));
  Pixels pixels = Render(line);
  for (int y = 0; y < pixels.height; ++y) EXPECT_EQ(pixels.At(0, y), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(5, 4), kSentinel);
}

TEST_F(FireLinesTest, RoundedRectangleFramesTheClientArea) {
  Set(kFlSetShape, 0);
  Set(kFlSetPenColor, RGB(0, 0, 255));
  Pixels pixels = Render(line);
  EXPECT_EQ(pixels.At(60, 0), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(60, 7), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(0, 4), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(60, 4), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FireLinesTest, MouseMessagesArePostedToTheParent) {
  SendMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(line, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(parent.otherMessages.empty()) << "posted, not sent";
  Pump();
  ASSERT_EQ(parent.otherMessages.size(), 2u);
  EXPECT_EQ(parent.otherMessages[0], static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(parent.otherMessages[1], static_cast<UINT>(WM_RBUTTONUP));
}

}  // namespace
