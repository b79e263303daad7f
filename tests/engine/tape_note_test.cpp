// Notes on the tape: the line a text makes, the key that asks for one, and a
// note among the keys of a calculation, replayed as it was.
#include <gtest/gtest.h>

#include <string>

#include "engine/tape_note.h"
#include "engine/virtual_keys.h"
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

TEST(TapeNote, ATextMakesOneQuotedLineOfAtMostSixtyCharacters) {
  EXPECT_EQ(NoteLine("  Lunch with Bob \r\n"), "\"Lunch with Bob\"");
  EXPECT_EQ(NoteLine("two\nlines\tand a tab"), "\"two lines and a tab\"");
  EXPECT_EQ(NoteLine(" \t "), "");
  EXPECT_EQ(NoteLine(std::string(70, 'x')), "\"" + std::string(60, 'x') + "\"");
  EXPECT_TRUE(IsNoteLine("\"-5 refund\""));
  EXPECT_FALSE(IsNoteLine("\""));
  EXPECT_FALSE(IsNoteLine("-5 -"));
}

TEST(TapeNote, ANoteWithCharactersTheTapeCannotKeepIsRefusedNamingEachOnce) {
  EXPECT_EQ(NoteRefusal("Caf\xC3\xA9 \xE2\x82\xAC"
                        "5 \xE2\x80\x98ok\xE2\x80\x99 ?"),
            "")
      << "all of Windows-1252";
  const std::string refusal = NoteRefusal("\xCE\xB1 x \xE4\xB8\xAD \xCE\xB1 \xF0\x9F\x98\x80 \xC3");
  for (const std::string named : {"\"\xCE\xB1\" (U+03B1)", "\"\xE4\xB8\xAD\" (U+4E2D)", "(U+1F600)", "(U+FFFD)"})
    EXPECT_NE(refusal.find(named), std::string::npos) << named << " in " << refusal;
  EXPECT_EQ(refusal.find("U+03B1"), refusal.rfind("U+03B1"));
  EXPECT_EQ(refusal.find("\"x\""), std::string::npos);
}

TEST(TapeNote, CtrlNAsksTheWindowAndANoteLeavesTheEntryGoingOn) {
  Calculator calc;
  calc.engine.OnKeyDown(vk::kControl);
  calc.engine.OnKeyDown(vk::Letter('N'));
  calc.engine.OnKeyUp(vk::Letter('N'));
  calc.engine.OnKeyUp(vk::kControl);
  EXPECT_EQ(calc.host.notesAsked, 1);
  EXPECT_TRUE(calc.NewTape().empty()) << "the key alone writes nothing";

  calc.Keys("1 2");
  calc.engine.AddNote("Lunch");
  calc.engine.AddNote("   ");
  calc.Keys("3 + 4 =");
  EXPECT_EQ(calc.NewTape(), (std::vector<std::string>{"\"Lunch\"", "123  ", "4 +", kDashes, "127 =", ""}));

  // Replayed, the note comes back in its place and the key asks nothing.
  BasicEngineHost again;
  MemorySettings settings;
  Engine replayed(again, settings);
  replayed.Replay(calc.engine.record());
  EXPECT_EQ(again.tape, calc.host.tape);
  EXPECT_EQ(calc.host.notesAsked, 1);
}

}  // namespace
}  // namespace tallix::testing
