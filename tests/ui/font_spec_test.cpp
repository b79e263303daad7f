// Font spec strings: how they are read, and the one cached font each spec
// stands for.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/installed_fonts.h"
#include "tests/ui/test_form.h"
#include "ui/font_spec.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

TEST(FontSpec, ParsesTheFieldsThatMatter) {
  auto spec = ParseFontSpec(L"Courier New,-12,0,0,0,700,1,0,1,0,3,2,1,49");
  ASSERT_TRUE(spec);
  EXPECT_EQ(spec->face, L"Courier New");
  EXPECT_EQ(spec->height, -12);
  EXPECT_EQ(spec->weight, 700);
  EXPECT_TRUE(spec->italic);
  EXPECT_FALSE(spec->underline);
  EXPECT_TRUE(spec->strikeout);
}

TEST(FontSpec, ToleratesBadInput) {
  EXPECT_FALSE(ParseFontSpec(L""));
  EXPECT_FALSE(ParseFontSpec(L",-12,0,0,0,400"));
  auto shortSpec = ParseFontSpec(L"Arial,x12,,,,bold");
  ASSERT_TRUE(shortSpec);
  EXPECT_EQ(shortSpec->height, 0);
  EXPECT_EQ(shortSpec->weight, 0);
  auto huge = ParseFontSpec(L"Arial,99999999999999999999");
  ASSERT_TRUE(huge);
  EXPECT_GT(huge->height, 0);
  auto longFace = ParseFontSpec(std::wstring(100, L'x') + L",-12");
  ASSERT_TRUE(longFace);
  EXPECT_EQ(longFace->face.size(), static_cast<size_t>(LF_FACESIZE - 1));
}

TEST(FontSpec, PositiveHeightsArePoints) {
  EXPECT_EQ(FontSpecPixelHeight(-12, 96), -12);
  EXPECT_EQ(FontSpecPixelHeight(0, 96), 0);
  EXPECT_EQ(FontSpecPixelHeight(12, 96), -16);
  EXPECT_EQ(FontSpecPixelHeight(9, 120), -15);
}

TEST(FontCache, SameSpecSameFontAndTwelvePixelCharacters) {
  HFONT font = FontFromSpec(kTahoma12);
  ASSERT_NE(font, nullptr);
  size_t cached = FontCacheSize();
  EXPECT_EQ(FontFromSpec(kTahoma12), font);
  EXPECT_EQ(FontCacheSize(), cached);
  LOGFONTW lf{};
  ASSERT_NE(GetObjectW(font, sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);

  ASSERT_TRUE(FaceIsInstalled(L"Tahoma"));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Known Wine difference: its Tahoma substitute rounds the character height
  // of a -12 request to 13 pixels; Windows gives exactly 12.
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  if (wine)
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 12, 1);
  else
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);

  // A differently written spec is another entry, even for the same font.
  size_t count = FontCacheSize();
  HFONT other = FontFromSpec(L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,0");
  EXPECT_NE(other, font);
  EXPECT_EQ(FontCacheSize(), count + 1);
  EXPECT_EQ(FontFromSpec(L""), nullptr);
  EXPECT_EQ(FontFromSpec(L",-12"), nullptr);
  EXPECT_EQ(FontCacheSize(), count + 1);
}

TEST(FontCache, UnknownFaceGetsTheAnsiCharacterSet) {
  HFONT font = FontFromSpec(L"No Such Face Anywhere,-12,0,0,0,400,0,0,0,0,3,2,1,34");
  ASSERT_NE(font, nullptr);
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  HFONT points = FontFromSpec(L"Tahoma,9,0,0,0,400,0,0,0,0,3,2,1,34");
  GetObjectW(points, sizeof(lf), &lf);
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(lf.lfHeight, -(9 * dpi / 72));
}

}  // namespace
