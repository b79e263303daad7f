#pragma once
// What a tape line is follows from its text alone: a line carries no kind of
// its own, so the drawing, the printout and the screen reader all read it
// from the fixed texts the calculator and the side tools write.

#include <string>
#include <string_view>

namespace tallix {

enum class TapeLineKind {
  Entry,       // a number, an operator, a dash line, a blank line, a tool's detail
  Note,        // the user's words, whatever they say
  Event,       // copies, clears, number system switches, memory stores, a tool's heading
  Heading,     // the first line of a conversion: what was converted
  Result,      // a total, the change to give back, a loan's payment, an area or a volume
  GrandTotal,  // the grand total shown ("1,234.50 GT") or cleared ("GT Clear")
};

TapeLineKind KindOfTapeLine(std::string_view line);

// What a screen reader says when the line is written: the words of a result,
// a grand total or a conversion's heading, empty for every other line.
std::string SpokenTapeLine(std::string_view line);

}  // namespace tallix
