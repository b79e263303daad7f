// What the themed button draws, looked at pixel by pixel. The same program runs
// in the default prefix and, from run_theme_paths.sh, once with the visual
// style switched off and once with it on (TALLIX_EXPECT_THEME=0 or 1).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/ui/installed_fonts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/caption_colors.h"
#include "ui/contrast.h"
#include "ui/exports.h"
#include "ui/ux_theme.h"
#include "ui/xp_button.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kHotRed = RGB(200, 0, 0);
constexpr COLORREF kDisabledTeal = RGB(0, 90, 90);

// -1 when the environment does not say which drawing path to expect.
int ExpectedTheme() {
  const char* value = std::getenv("TALLIX_EXPECT_THEME");
  if (!value || !*value) return -1;
  return std::atoi(value) != 0;
}

// Horizontal extent of the pixels of one colour: {first, last} or {-1, -1}.
std::pair<int, int> ColumnsOf(const Pixels& pixels, COLORREF color) {
  int first = -1, last = -1;
  for (int x = 0; x < pixels.width; ++x)
    for (int y = 0; y < pixels.height; ++y)
      if (pixels.At(x, y) == color) {
        if (first < 0) first = x;
        last = x;
      }
  return {first, last};
}

class XPButtonPaintTest : public ::testing::Test {
 protected:
  HWND Make(const wchar_t* caption, int width = 60, int height = 30) {
    HWND button = CREATEXPBUTTON(parent.window, 100 + static_cast<int>(buttons.size()), caption, 10, 10, width, height,
                                 WS_VISIBLE, 0, 0);
    TB_XPBUTTON_SETFONT(button, MakeCrispFont(), FALSE, FALSE);
    buttons.push_back(button);
    SetFocus(parent.window);
    Pump();
    return button;
  }
  void TearDown() override {
    for (HWND button : buttons) DestroyWindow(button);
    Pump();
  }
  bool Themed(HWND button) { return GetXPButtonInfo(button)->themed; }

  RecordingParent& parent = SharedParent();
  std::vector<HWND> buttons;
};

// What a classic push button of that size looks like with no caption.
Pixels ClassicReference(int width, int height) {
  return RenderWith(width, height, [&](HDC dc) {
    RECT rc{0, 0, width, height};
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
  });
}

TEST_F(XPButtonPaintTest, DrawsThroughTheExpectedPath) {
  HWND button = Make(L"");
  const int expected = ExpectedTheme();
  if (expected >= 0) {
    EXPECT_EQ(Themed(button), expected == 1);
  }
  EXPECT_EQ(Themed(button), ThemingActive());

  Pixels drawn = Render(button);
  EXPECT_EQ(drawn.Count(kSentinel), 0) << "the whole client area is painted";
  Pixels classic = ClassicReference(drawn.width, drawn.height);
  if (Themed(button))
    EXPECT_GT(drawn.Differences(classic), drawn.width) << "the visual style draws the face";
  else
    EXPECT_EQ(drawn.Differences(classic), 0) << "classic face and push-button frame";
}

TEST_F(XPButtonPaintTest, CaptionsUseTheirGroupColours) {
  EXPECT_GT(Render(Make(L"7")).Count(RGB(0, 0, 255)), 10);
  EXPECT_GT(Render(Make(L"\u00F7")).Count(RGB(255, 0, 0)), 5);
  EXPECT_GT(Render(Make(L"Cnv")).Count(RGB(255, 0, 255)), 10);
  EXPECT_GT(Render(Make(L"Feed")).Count(RGB(128, 64, 0)), 10);

  Pixels ok = Render(Make(L"Ok"));
  EXPECT_GT(ok.Count(GetSysColor(COLOR_BTNTEXT)), 10);
  EXPECT_EQ(ok.Count(RGB(0, 0, 255)) + ok.Count(RGB(255, 0, 0)) + ok.Count(RGB(255, 0, 255)), 0);
}

TEST_F(XPButtonPaintTest, ShortCaptionOnANarrowKeyIsDrawnWhole) {
  // A 28-pixel key, as "Feed" and "+Tax" are on the keypad: every pixel of
  // the caption a wide key shows must be there on the narrow one as well.
  ASSERT_TRUE(FaceIsInstalled(L"Tahoma", -11, FW_BOLD));
  const COLORREF brown = RGB(128, 64, 0);
  auto make = [&](int width) {
    HWND button = Make(L"Feed", width, 24);
    TB_XPBUTTON_SETFONT(button, MakeCrispFont(-11), FALSE, FALSE);
    return button;
  };
  const int whole = Render(make(80)).Count(brown);
  const int narrow = Render(make(28)).Count(brown);
  EXPECT_GT(whole, 10);
  EXPECT_EQ(narrow, whole);
}

TEST_F(XPButtonPaintTest, GroupColourChangesShowAtTheNextPaint) {
  HWND seven = Make(L"7");
  const COLORREF saved = GetCaptionGroupColor(1);
  SetCaptionGroupColor(1, RGB(0, 128, 0));
  Pixels recoloured = Render(seven);
  SetCaptionGroupColor(1, saved);
  EXPECT_GT(recoloured.Count(RGB(0, 128, 0)), 10);
  EXPECT_EQ(recoloured.Count(RGB(0, 0, 255)), 0);
}

TEST_F(XPButtonPaintTest, PressedLooksDifferent) {
  HWND button = Make(L"8");
  SetFocus(button);
  Pump();
  Pixels focused = Render(button);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Pixels pressed = Render(button);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_GT(pressed.Differences(focused), 20);
  EXPECT_EQ(Render(button).Differences(focused), 0) << "released looks as before";
}

// Flat in the system colours, whether or not a visual style runs.
TEST_F(XPButtonPaintTest, HighContrastDrawsFlatInTheSystemColours) {
  OverrideHighContrast(true);
  HWND button = Make(L"7");
  const Pixels up = Render(button);
  EXPECT_EQ(up.At(0, 0), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(up.At(3, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(up.At(56, 26), GetSysColor(COLOR_BTNFACE));
  TB_XPBUTTON_SETTOGGLEMODE(button, 1, FALSE);
  TB_XPBUTTON_SETTOGGLESTATE(button, 1, FALSE);
  EXPECT_EQ(Render(button).At(3, 3), GetSysColor(COLOR_HIGHLIGHT));
  EnableWindow(button, FALSE);
  EXPECT_EQ(Render(button).At(0, 0), GetSysColor(COLOR_GRAYTEXT));
  OverrideHighContrast(std::nullopt);
}

// The dotted focus rectangle, in the visual style, the classic look and high
// contrast, on a key up and a key down: every other pixel of its top row.
TEST_F(XPButtonPaintTest, FocusRectangleShowsInEveryLook) {
  for (bool highContrast : {false, true}) {
    OverrideHighContrast(highContrast);
    for (int toggled : {0, 1}) {
      HWND button = Make(L"8", 60, 30);
      TB_XPBUTTON_SETTOGGLEMODE(button, 1, FALSE);
      TB_XPBUTTON_SETTOGGLESTATE(button, toggled, FALSE);
      const Pixels unfocused = Render(button);
      SetFocus(button);
      Pump();
      const Pixels focused = Render(button);
      const int row = Themed(button) && !highContrast ? 2 : 4;
      int changed = 0;
      for (int x = 8; x < 52; ++x) changed += focused.At(x, row) != unfocused.At(x, row);
      EXPECT_GE(changed, 14) << "high contrast " << highContrast << ", toggled " << toggled;
    }
  }
  OverrideHighContrast(std::nullopt);
}

TEST_F(XPButtonPaintTest, ToggleButtonStaysDrawnDown) {
  HWND button = Make(L"2nd");
  TB_XPBUTTON_SETTOGGLEMODE(button, 1, FALSE);
  Pixels up = Render(button);
  TB_XPBUTTON_SETTOGGLESTATE(button, 1, TRUE);
  Pixels down = Render(button);
  EXPECT_GT(down.Differences(up), 20);
  // A plain button ignores its toggled flag.
  HWND plain = Make(L"2nd");
  Pixels plainUp = Render(plain);
  TB_XPBUTTON_SETTOGGLESTATE(plain, 1, TRUE);
  EXPECT_EQ(Render(plain).Differences(plainUp), 0);
}

TEST_F(XPButtonPaintTest, DisabledCaptionIsEmbossed) {
  HWND button = Make(L"7");
  EnableWindow(button, FALSE);
  Pump();
  Pixels disabled = Render(button);
  EXPECT_EQ(disabled.Count(RGB(0, 0, 255)), 0);
  EXPECT_GT(disabled.Count(GetSysColor(COLOR_BTNSHADOW)), 10);
}

TEST_F(XPButtonPaintTest, CentredImageReplacesTheCaption) {
  HWND withCaption = Make(L"XPButton", 40, 30);
  HWND withoutCaption = Make(L"", 40, 30);
  for (HWND button : {withCaption, withoutCaption}) {
    TB_XPBUTTON_SETIMAGE(button, SolidBitmap(kGreen), 0, 1, FALSE, FALSE);
    TB_XPBUTTON_SETIMAGEPOS(button, 12, FALSE);
  }
  Pixels drawn = Render(withCaption);
  EXPECT_EQ(drawn.Differences(Render(withoutCaption)), 0);
  EXPECT_EQ(drawn.Count(kGreen), 16 * 16);
  auto [first, last] = ColumnsOf(drawn, kGreen);
  EXPECT_EQ(first, 40 / 2 - 16 / 2);
  EXPECT_EQ(last, first + 15);
}

TEST_F(XPButtonPaintTest, ImageSlotFollowsTheState) {
  HWND button = Make(L"A");
  TB_XPBUTTON_SETIMAGE(button, SolidBitmap(kGreen), 0, 1, FALSE, FALSE);
  EXPECT_EQ(Render(button).Count(kGreen), 256);
  if (!Themed(button)) {
    // Left of the area plus the image margin.
    EXPECT_EQ(ColumnsOf(Render(button), kGreen).first, 4);
  }

  TB_XPBUTTON_SETIMAGE(button, SolidBitmap(kHotRed), 0, 2, FALSE, FALSE);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Pump();
  Pixels hot = Render(button);
  EXPECT_EQ(hot.Count(kHotRed), 256);
  EXPECT_EQ(hot.Count(kGreen), 0);
  SendMessageW(button, WM_MOUSELEAVE, 0, 0);

  EnableWindow(button, FALSE);
  Pump();
  EXPECT_EQ(Render(button).Count(kGreen), 256) << "empty disabled slot falls back to the normal image";
  TB_XPBUTTON_SETIMAGE(button, SolidBitmap(kDisabledTeal), 0, 3, FALSE, FALSE);
  EXPECT_EQ(Render(button).Count(kDisabledTeal), 256);
}

TEST_F(XPButtonPaintTest, PaintingLeavesExtendedPrecisionAlone) {
  HWND button = Make(L"9");
  InvalidateRect(button, nullptr, TRUE);
  UpdateWindow(button);
  Render(button);
  unsigned short control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  EXPECT_EQ(control & 0x300, 0x300) << "x87 precision control is still 64-bit mantissa";
  volatile long double one = 1.0L;
  volatile long double tiny = std::ldexp(1.0L, -63);
  EXPECT_NE(one + tiny, one);
}

}  // namespace
