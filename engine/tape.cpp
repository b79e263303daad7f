// The one way onto the tape, the note and feed lines, and the item-count and
// average panes.
#include <array>
#include <charconv>
#include <string>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/tape_note.h"
#include "services/format_mask.h"
#include "services/number_text.h"

namespace tallix {

void Engine::WriteTapeLine(std::string_view number, std::string_view symbol) {
  recorder_.LineWritten();
  std::string line(number);
  if (!symbol.empty()) {
    line.push_back(' ');
    line.append(symbol);
  }
  state_.lastTapeIndex = host_->AddTapeLine(line);
  // A replay brings only its last line into view, at its end, and says none.
  if (recorder_.replaying()) return;
  host_->SelectTapeLine(state_.lastTapeIndex);
  host_->TapeLineWritten(line);
}

void Engine::AddNote(std::string_view text) {
  const std::string line = NoteLine(text);
  if (!line.empty()) AppendTapeLine(line, "");
  Focus();
}

void Engine::FeedTape() {
  WriteTapeLine("", "");
  Focus();
}

void Engine::UpdateItemCount() {
  // The count's plain number text: a blank before a number that is not negative.
  const int count = state_.itemCount;
  std::array<char, 16> digits;
  char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), count).ptr;
  // Built in place: it fits the string's own buffer, with no heap at all.
  std::string text(count >= 0 ? "  " : " ");
  text.append(digits.data(), end);
  text.append(count == 1 ? " Item" : " Items");
  host_->SetItemsText(text);
}

void Engine::WriteAverage(Real average) {
  if (state_.IsDecimal()) {
    host_->SetAverageText(" AVG = " + FormatNumber(average, "#,.00"));
  } else {
    host_->SetAverageText(" AVG = " + SystemText(average) + " (" + std::string(SystemName(state_.displayMode)) + ")");
  }
}

}  // namespace tallix
