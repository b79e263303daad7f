#include "app/tape/tape_csv.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/display_text.h"
#include "engine/engine_state.h"
#include "services/codepage1252.h"

namespace tallix {
namespace {

// A decimal number as the tape writes one: sign, grouped digits, point,
// optional exponent. Nothing else may be in `text`.
bool IsTapeNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && text[at] == '-') ++at;
  bool digits = false;
  for (; at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == ','); ++at) {
    digits |= text[at] != ',';
  }
  if (at < text.size() && text[at] == '.') {
    for (++at; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) digits = true;
  }
  if (digits && at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t exponent = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    if (at == exponent) return false;
  }
  return digits && at == text.size();
}

// A whole number in radix 16, 2 or 8 as the tape writes one ("FF"), in
// decimal; nullopt for anything else or more than 64 bits.
std::optional<std::string> DecimalOfWhole(std::string_view text, int radix) {
  const std::size_t maxDigits = radix == 16 ? 16 : radix == 8 ? 21 : 64;
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  for (char c : text) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
    if (digit >= radix) return std::nullopt;
  }
  return std::to_string(static_cast<std::uint64_t>(ReadInRadix(text, radix)));
}

// The system a line names at its start, "(Hex)" and the like: a heading when
// that is the whole line, a result's prefix when a blank follows.
struct NamedSystem {
  int radix = 10;
  std::size_t length = 0;
};
std::optional<NamedSystem> SystemNamedBy(std::string_view line) {
  if (!line.starts_with('(')) return std::nullopt;
  for (const std::uint8_t mode :
       {display_mode::kFloating, display_mode::kHex, display_mode::kBinary, display_mode::kOctal}) {
    const std::string marker = "(" + std::string(SystemName(mode)) + ")";
    if (line.starts_with(marker)) return NamedSystem{RadixOf(mode), marker.size()};
  }
  return std::nullopt;
}

// A cell a spreadsheet would take for a formula: a lone operator is none,
// anything longer could be one, and so could what follows a leading tab or
// carriage return, which spreadsheets skip.
bool LooksLikeFormula(std::string_view text) {
  if (text.empty()) return false;
  if (text.front() == '\t' || text.front() == '\r') return true;
  return text.size() > 1 && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
}

// A cell: quoted when it holds a separator, a quote or a line end.
void AppendCell(std::string& row, std::string_view text, bool guardFormula) {
  const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (quoted) row.push_back('"');
  if (guardFormula && LooksLikeFormula(text)) row.push_back('\'');
  if (!quoted) {
    row += text;
    return;
  }
  for (char c : text) {
    if (c == '"') row.push_back('"');
    row.push_back(c);
  }
  row.push_back('"');
}

}  // namespace

std::optional<std::string> TapeNumberValue(std::string_view first, int radix) {
  if (radix != 10) return DecimalOfWhole(first, radix);
  if (!IsTapeNumber(first)) return std::nullopt;
  return WithoutCommas(first);
}

TapeLineWords TapeLineReader::Next(std::string_view line) {
  TapeLineWords words{.first = line, .symbol = {}, .radix = radix_};
  if (const std::optional<NamedSystem> named = SystemNamedBy(line)) {
    if (line.size() == named->length) radix_ = named->radix;
    if (line.size() > named->length && line[named->length] == ' ') {
      words.first.remove_prefix(named->length + 1);
      words.radix = named->radix;
    }
  }
  const std::size_t blank = words.first.find(' ');
  if (blank != std::string_view::npos) {
    words.symbol = words.first.substr(blank + 1);
    words.first = words.first.substr(0, blank);
  }
  while (!words.symbol.empty() && words.symbol.front() == ' ') words.symbol.remove_prefix(1);
  while (!words.symbol.empty() && words.symbol.back() == ' ') words.symbol.remove_suffix(1);
  return words;
}

std::string TapeCsvRows(std::span<const std::string> lines, int startRadix) {
  std::string csv = "Line,Shown,Number,Symbol,Text\r\n";
  TapeLineReader reader(startRadix);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const TapeLineWords words = reader.Next(line);
    const std::optional<std::string> value = TapeNumberValue(words.first, words.radix);

    csv += std::to_string(i + 1);
    csv.push_back(',');
    if (value) AppendCell(csv, words.first, false);
    csv.push_back(',');
    if (value) csv += *value;
    csv.push_back(',');
    if (value) AppendCell(csv, words.symbol, true);
    csv.push_back(',');
    AppendCell(csv, line, true);
    csv += "\r\n";
  }
  return csv;
}

std::string FormatTapeCsv(std::span<const std::string> lines, int startRadix) {
  // UTF-8's byte-order mark: without it a spreadsheet on Windows reads the
  // text in the ANSI code page.
  return "\xEF\xBB\xBF" + Cp1252ToUtf8(TapeCsvRows(lines, startRadix));
}

int TapeStartRadix(const Engine& engine) { return RadixOf(engine.record().start.displayMode); }

TapeFileResult ExportTapeCsv(const std::string& path, std::span<const std::string> lines, int startRadix) {
  return ReplaceTapeFile(
      path, [&] { return FormatTapeCsv(lines, startRadix); }, "The tape was exported as: ", "exported");
}

}  // namespace tallix
