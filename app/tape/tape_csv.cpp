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

// The value of a line's first word, in plain decimal; nullopt when it is not
// a number in the line's system.
std::optional<std::string> ValueOf(std::string_view number, int radix) {
  if (radix != 10) return DecimalOfWhole(number, radix);
  if (!IsTapeNumber(number)) return std::nullopt;
  return WithoutCommas(number);
}

// The system a line names at its start, "(Hex)" and the like: a heading when
// that is the whole line, a result's prefix when a blank follows.
struct NamedSystem {
  int radix = 10;
  std::size_t length = 0;
};
std::optional<NamedSystem> SystemNamedBy(std::string_view line) {
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
void AppendCell(std::string& row, std::string_view cell, bool guardFormula) {
  std::string text = Cp1252ToUtf8(cell);
  if (guardFormula && LooksLikeFormula(text)) text.insert(0, "'");
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    row += text;
    return;
  }
  row.push_back('"');
  for (char c : text) {
    if (c == '"') row.push_back('"');
    row.push_back(c);
  }
  row.push_back('"');
}

}  // namespace

std::string FormatTapeCsv(std::span<const std::string> lines, int startRadix) {
  // UTF-8's byte-order mark: without it a spreadsheet on Windows reads the
  // text in the ANSI code page.
  std::string csv = "\xEF\xBB\xBF";
  csv += "Line,Shown,Number,Symbol,Text\r\n";
  int radix = startRadix;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    std::string_view numbered = line;
    int lineRadix = radix;
    if (const std::optional<NamedSystem> named = SystemNamedBy(line)) {
      if (line.size() == named->length) radix = named->radix;
      if (line.size() > named->length && line[named->length] == ' ') {
        numbered.remove_prefix(named->length + 1);
        lineRadix = named->radix;
      }
    }
    const std::size_t blank = numbered.find(' ');
    const std::string_view first = numbered.substr(0, blank);
    std::string_view symbol = blank == std::string_view::npos ? std::string_view() : numbered.substr(blank + 1);
    while (!symbol.empty() && symbol.front() == ' ') symbol.remove_prefix(1);
    while (!symbol.empty() && symbol.back() == ' ') symbol.remove_suffix(1);
    const std::optional<std::string> value = ValueOf(first, lineRadix);

    csv += std::to_string(i + 1);
    csv.push_back(',');
    if (value) AppendCell(csv, first, false);
    csv.push_back(',');
    if (value) csv += *value;
    csv.push_back(',');
    if (value) AppendCell(csv, symbol, true);
    csv.push_back(',');
    AppendCell(csv, line, true);
    csv += "\r\n";
  }
  return csv;
}

int TapeStartRadix(const Engine& engine) { return RadixOf(engine.record().start.displayMode); }

TapeFileResult ExportTapeCsv(const std::string& path, std::span<const std::string> lines, int startRadix) {
  return ReplaceTapeFile(
      path, [&] { return FormatTapeCsv(lines, startRadix); }, "The tape was exported as: ", "exported");
}

}  // namespace tallix
