// Texts crossing between the engine (Windows-1252) and the window (UTF-16),
// and the colour a tape line is drawn in.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window/tape_colour.h"
#include "services/codepage1252.h"

namespace tallix {
namespace {

TEST(Codepage1252, OperatorSignsBecomeTheirCharacters) {
  EXPECT_EQ(Cp1252ToUtf16("\xD7"), u"\u00D7");
  EXPECT_EQ(Cp1252ToUtf16("\xF7"), u"\u00F7");
  EXPECT_EQ(Cp1252ToUtf16("12 \xF7"), u"12 \u00F7");
  EXPECT_EQ(Cp1252ToUtf16("\x80\x85\x99\x9F"), u"\u20AC\u2026\u2122\u0178");
  EXPECT_EQ(Cp1252ToUtf16(""), u"");
}

TEST(Codepage1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = Cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), all.size());
  EXPECT_EQ(Utf16ToCp1252(wide), all);
}

TEST(Codepage1252, UnrepresentableTextBecomesQuestionMarks) {
  EXPECT_EQ(Utf16ToCp1252(u"1\u4E002"), "1?2");
  // One character outside the basic plane is one "?", not two.
  EXPECT_EQ(Utf16ToCp1252(u"a\U0001F600b"), "a?b");
  // Lone surrogates are not characters.
  EXPECT_EQ(Utf16ToCp1252(std::u16string(1, char16_t{0xD800}) + u"5"), "?5");
  EXPECT_EQ(Utf16ToCp1252(u"5" + std::u16string(1, char16_t{0xDC00})), "5?");
  EXPECT_EQ(Utf16ToCp1252(u"\u00D7\u00F7\u20AC"), "\xD7\xF7\x80");
}

constexpr ColourRef kNormal = 0x123456;

ColourRef Screen(const char* line) { return TapeLineColour(line, TapeMedium::Screen, kNormal); }
ColourRef Paper(const char* line) { return TapeLineColour(line, TapeMedium::Paper, 0); }

TEST(TapeColour, NumbersAndOperators) {
  EXPECT_EQ(Screen("12  "), kNormal);
  EXPECT_EQ(Screen("1,234.50 +"), kNormal);
  EXPECT_EQ(Screen("5 -"), kTapeRed);
  EXPECT_EQ(Screen("-5 +"), kTapeRed);
  EXPECT_EQ(Screen("   -0.5 \xD7"), kTapeRed);
  EXPECT_EQ(Screen("-0"), kNormal);
  EXPECT_EQ(Screen("-"), kNormal);
  EXPECT_EQ(Screen("--------------------------"), kNormal);
  EXPECT_EQ(Screen(""), kNormal);
  EXPECT_EQ(Screen("10% -"), kTapeRed);
  EXPECT_EQ(Screen("5.00 - 3.50"), kNormal);
}

TEST(TapeColour, EventLinesAreBlueOnScreenOnly) {
  for (const char* line :
       {"Copy (1,234.5)", "Clear", "M1 Clear", "(Hex)", "(Dec)", "Converting...", "12 M+", "12 MS", "-12 MS"}) {
    EXPECT_EQ(Screen(line), kTapeBlue) << line;
  }
  EXPECT_EQ(Paper("Copy (1,234.5)"), 0u);
  EXPECT_EQ(Paper("Clear"), 0u);
  EXPECT_EQ(Paper("-12 MS"), kTapeRed);
}

TEST(TapeColour, ParenthesisedResultsKeepTheirColour) {
  EXPECT_EQ(Screen("(Hex) FF ="), kNormal);
  EXPECT_EQ(Screen("(Hex) FF"), kTapeBlue);
  EXPECT_EQ(Screen("-12 ="), kTapeRed);
}

}  // namespace
}  // namespace tallix
