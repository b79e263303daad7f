#pragma once
// The tape for spreadsheets: one row per tape line, in UTF-8 with a header
// row, as Export Tape writes it.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/tape/tape_file.h"
#include "engine/engine.h"

namespace tallix {

// Columns: the line's number (from 1), the number as the tape shows it
// ("1,234.50", hexadecimal "FF"), its value as a plain decimal ("1234.50",
// "255"), the operator or symbol after it, and the whole line. Lines without
// a number (headings, notes, empty lines) leave the three number columns
// empty. A line's number system is the one its tape was in when it began,
// `startRadix` (10, 16, 2 or 8), until a heading such as "(Hex)" switches it;
// a result such as "(Hex) 10F =" names its own. The text begins with a UTF-8
// byte-order mark, without which a spreadsheet on Windows reads the times and
// divide signs as two characters each, and rows end in CR LF. A text cell
// that a spreadsheet would take for a formula (longer than one character and
// starting with "=", "+", "-" or "@", or starting with a tab or a carriage
// return) gets a leading "'".
std::string FormatTapeCsv(std::span<const std::string> lines, int startRadix);

// The same rows without the byte-order mark, in Windows-1252 as the tape's
// lines are: for the clipboard, which has no mark.
std::string TapeCsvRows(std::span<const std::string> lines, int startRadix);

// A tape line's parts, as the CSV's columns read them: its first word (after
// a result's "(Hex) "), the system that word is written in, and the rest of
// the line without surrounding blanks.
struct TapeLineWords {
  std::string_view first;
  std::string_view symbol;
  int radix = 10;
};

// Reads the lines of a tape one after the other from the system it began in:
// a heading such as "(Hex)" switches the system of the lines after it.
class TapeLineReader {
 public:
  explicit TapeLineReader(int startRadix) : radix_(startRadix) {}
  TapeLineWords Next(std::string_view line);
  // The system of the lines to come, but for a result that names its own.
  int radix() const { return radix_; }

 private:
  int radix_;
};

// The value of a line's first word as a plain decimal ("1234.50", "255");
// nullopt when it is no number of its system.
std::optional<std::string> TapeNumberValue(std::string_view first, int radix);

// The radix of the first line of `engine`'s tape: the system in force when
// its record began (at start-up, Clear Tape or a loaded tape, whose lines
// are read in the system they were loaded into). Later switches each write
// a heading.
int TapeStartRadix(const Engine& engine);

// Writes the CSV to `path` as Save Tape writes a tape (a whole new file or the
// old one kept); the message names the file, and the reason when it failed.
TapeFileResult ExportTapeCsv(const std::string& path, std::span<const std::string> lines, int startRadix);

}  // namespace tallix
