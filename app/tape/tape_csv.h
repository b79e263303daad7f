#pragma once
// The tape for spreadsheets: one row per tape line, in UTF-8 with a header
// row, as Export Tape writes it.
#include <span>
#include <string>

#include "app/tape/tape_file.h"

namespace tallix {

// Columns: the line's number (from 1), the number as the tape shows it
// ("1,234.50"), the same as a plain decimal ("1234.50"), the operator or
// symbol after it, and the whole line. Lines that do not begin with a decimal
// number (headings, empty lines, hexadecimal values) leave the three number
// columns empty. Rows end in CR LF. A text cell that a spreadsheet would take
// for a formula (longer than one character and starting with "=", "+", "-" or
// "@") gets a leading "'".
std::string FormatTapeCsv(std::span<const std::string> lines);

// Writes the CSV to `path` as Save Tape writes a tape (a whole new file or the
// old one kept); the message names the file, and the reason when it failed.
TapeFileResult ExportTapeCsv(const std::string& path, std::span<const std::string> lines);

}  // namespace tallix
