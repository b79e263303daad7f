// Colours made readable on a background: the ratio is reached, the hue is
// kept, and a colour already readable is left as the user chose it.
#include "services/readable_color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tallix {
namespace {

constexpr Rgb kBlack = MakeRgb(0, 0, 0), kWhite = MakeRgb(255, 255, 255);

int Red(Rgb c) { return static_cast<int>(c & 0xFF); }
int Green(Rgb c) { return static_cast<int>(c >> 8 & 0xFF); }
int Blue(Rgb c) { return static_cast<int>(c >> 16 & 0xFF); }

// The order of the channels is the hue's: a lighter or darker colour of the
// same hue keeps it (ties may open as a channel reaches an end).
void ExpectHueKept(Rgb color, Rgb moved) {
  const int before[] = {Red(color), Green(color), Blue(color)};
  const int after[] = {Red(moved), Green(moved), Blue(moved)};
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) {
      if (before[a] > before[b] + 2) {
        EXPECT_GE(after[a], after[b]) << std::hex << color << " -> " << moved;
      }
    }
  }
}

TEST(ReadableColor, TheRatioRunsFromOneToTwentyOneWhicheverComesFirst) {
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_DOUBLE_EQ(ContrastRatio(MakeRgb(0, 0, 255), MakeRgb(0, 0, 255)), 1.0);
  std::mt19937 random(7);
  for (int i = 0; i < 1000; ++i) {
    const Rgb a = random() & 0xFFFFFF, b = random() & 0xFFFFFF;
    EXPECT_DOUBLE_EQ(ContrastRatio(a, b), ContrastRatio(b, a));
    EXPECT_GE(ContrastRatio(a, b), 1.0);
    EXPECT_LE(ContrastRatio(a, b), 21.0 + 1e-9);
  }
}

TEST(ReadableColor, EveryColourReachesTheRatioOnDarkAndLightWithItsHueKept) {
  std::mt19937 random(11);
  for (const Rgb background : {MakeRgb(32, 32, 32), MakeRgb(0, 0, 0), MakeRgb(43, 43, 48), kWhite}) {
    for (int i = 0; i < 2000; ++i) {
      const Rgb color = random() & 0xFFFFFF;
      const Rgb readable = ReadableOn(color, background, 4.5);
      EXPECT_GE(ContrastRatio(readable, background), 4.5) << std::hex << color << " on " << background;
      ExpectHueKept(color, readable);
      if (ContrastRatio(color, background) >= 4.5) {
        EXPECT_EQ(readable, color);
      }
    }
  }
}

TEST(ReadableColor, AColourIsMovedNoFurtherThanTheRatioNeeds) {
  // Default caption blue on a dark face: lighter, but short of white.
  const Rgb blue = ReadableOn(MakeRgb(0, 0, 255), MakeRgb(32, 32, 32), 4.5);
  EXPECT_NE(blue, kWhite);
  EXPECT_LT(ContrastRatio(blue, MakeRgb(32, 32, 32)), 4.6);
  EXPECT_GT(Blue(blue), std::max(Red(blue), Green(blue)));
}

TEST(ReadableColor, LightnessTurnedOverRunsWhiteToTheDarkEndAndKeepsTheHue) {
  const double darkest = 25 / 255.0, lightest = 230 / 255.0;
  EXPECT_EQ(LightnessTurnedOver(kWhite, darkest, lightest), MakeRgb(25, 25, 25));
  EXPECT_EQ(LightnessTurnedOver(kBlack, darkest, lightest), MakeRgb(230, 230, 230));
  for (int grey = 1; grey < 256; ++grey) {
    const Rgb lighter = LightnessTurnedOver(MakeRgb(grey, grey, grey), darkest, lightest);
    const Rgb darker = LightnessTurnedOver(MakeRgb(grey - 1, grey - 1, grey - 1), darkest, lightest);
    EXPECT_EQ(Red(lighter), Blue(lighter));
    EXPECT_LE(Red(lighter), Red(darker));
  }
  std::mt19937 random(13);
  for (int i = 0; i < 1000; ++i) {
    const Rgb color = random() & 0xFFFFFF;
    ExpectHueKept(color, LightnessTurnedOver(color, darkest, lightest));
  }
}

}  // namespace
}  // namespace tallix
