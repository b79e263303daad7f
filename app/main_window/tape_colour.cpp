#include "app/main_window/tape_colour.h"

#include "engine/tape_note.h"
#include "services/number_text.h"

namespace tallix {

ColourRef TapeLineColour(std::string_view line, TapeMedium medium, ColourRef normal) {
  // A note is words, whatever they say.
  if (IsNoteLine(line)) return normal;
  ColourRef colour = normal;
  if (line.ends_with(" -") || ParseLeadingNumber(line) < 0) colour = kTapeRed;
  if (medium == TapeMedium::Screen) {
    const bool eventLine = line.starts_with("Copy") || line.ends_with("Clear") ||
                           (line.starts_with("(") && !line.ends_with("=")) || line.ends_with("...") ||
                           line.ends_with("M+") || line.ends_with("MS");
    if (eventLine) colour = kTapeBlue;
  }
  return colour;
}

}  // namespace tallix
