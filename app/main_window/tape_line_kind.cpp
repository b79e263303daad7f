#include "app/main_window/tape_line_kind.h"

#include <array>

#include "engine/display_text.h"
#include "engine/tape_note.h"

namespace tallix {
namespace {

// The results that end in a symbol, and the word a screen reader says for
// it after the number: "1,234.50 =" is "1,234.50 total". Every other result
// and a conversion's heading are said as shown.
struct ResultSymbol {
  std::string_view ending;
  std::string_view word;
};
constexpr std::array<ResultSymbol, 2> kResultSymbols{{
    {" =", "total"},    // equals
    {" CH", "change"},  // the change to give back
}};

// Results that the side tools write as labelled lines.
constexpr std::array<std::string_view, 2> kResultLabels{
    "Monthly Payments: ",  // the loan's payment
    "Result = ",           // an area or a volume
};

const ResultSymbol* SymbolOf(std::string_view line) {
  for (const ResultSymbol& symbol : kResultSymbols)
    if (line.ends_with(symbol.ending)) return &symbol;
  return nullptr;
}

bool IsLabelledResult(std::string_view line) {
  for (std::string_view label : kResultLabels)
    if (line.starts_with(label)) return true;
  return false;
}

// "1,234.50 GT" (after a system's name in hexadecimal and the others) or "GT Clear".
bool IsGrandTotalLine(std::string_view line) {
  return line == kGrandTotalClearedLine ||
         (line.ends_with(kGrandTotalSymbol) && line.substr(0, line.size() - kGrandTotalSymbol.size()).ends_with(' '));
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

TapeLineKind KindOfTapeLine(std::string_view line) {
  if (IsNoteLine(line)) return TapeLineKind::Note;
  if (IsGrandTotalLine(line)) return TapeLineKind::GrandTotal;
  if (SymbolOf(line) || IsLabelledResult(line)) return TapeLineKind::Result;
  // "(Length) Feet: 1,250" heads a conversion; "(Hex)" switches the system.
  if (line.starts_with("(") && line.find(": ") != std::string_view::npos) return TapeLineKind::Heading;
  const bool event = line.starts_with("Copy") || line.ends_with("Clear") ||
                     (line.starts_with("(") && !line.ends_with("=")) || line.ends_with("...") || line.ends_with("M+") ||
                     line.ends_with("MS");
  return event ? TapeLineKind::Event : TapeLineKind::Entry;
}

std::string SpokenTapeLine(std::string_view line) {
  switch (KindOfTapeLine(line)) {
    case TapeLineKind::Result:
      if (const ResultSymbol* symbol = SymbolOf(line)) {
        line.remove_suffix(symbol->ending.size());
        return std::string(Trimmed(line)) + " " + std::string(symbol->word);
      }
      return std::string(Trimmed(line));
    case TapeLineKind::Heading: return std::string(Trimmed(line));
    case TapeLineKind::GrandTotal:
      if (line == kGrandTotalClearedLine) return "grand total cleared";
      line.remove_suffix(kGrandTotalSymbol.size());
      return std::string(Trimmed(line)) + " grand total";
    default: return {};
  }
}

}  // namespace tallix
