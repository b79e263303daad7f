#include "app/main_window/tape_colour.h"

#include "app/main_window/tape_line_kind.h"
#include "services/number_text.h"

namespace tallix {

ColourRef TapeLineColour(std::string_view line, TapeMedium medium, ColourRef normal) {
  const TapeLineKind kind = KindOfTapeLine(line);
  // A note is words, whatever they say.
  if (kind == TapeLineKind::Note) return normal;
  if (kind == TapeLineKind::GrandTotal) return kTapeGreen;
  ColourRef colour = normal;
  if (line.ends_with(" -") || ParseLeadingNumber(line) < 0) colour = kTapeRed;
  if (medium == TapeMedium::Screen && (kind == TapeLineKind::Event || kind == TapeLineKind::Heading))
    colour = kTapeBlue;
  return colour;
}

}  // namespace tallix
