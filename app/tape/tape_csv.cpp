#include "app/tape/tape_csv.h"

#include <cctype>
#include <new>
#include <string_view>

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

std::string WithoutGrouping(std::string_view number) {
  std::string plain;
  for (char c : number) {
    if (c != ',') plain.push_back(c);
  }
  return plain;
}

// A cell: quoted when it holds a separator, a quote or a line end.
void AppendCell(std::string& row, std::string_view cell, bool guardFormula) {
  std::string text = Cp1252ToUtf8(cell);
  // A lone operator is no formula; anything longer could be one.
  if (guardFormula && text.size() > 1 && std::string_view("=+-@").find(text.front()) != std::string_view::npos) {
    text.insert(0, "'");
  }
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

std::string FormatTapeCsv(std::span<const std::string> lines) {
  std::string csv = "Line,Shown,Number,Symbol,Text\r\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t blank = line.find(' ');
    const std::string_view first = line.substr(0, blank);
    std::string_view symbol = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    while (!symbol.empty() && symbol.front() == ' ') symbol.remove_prefix(1);
    while (!symbol.empty() && symbol.back() == ' ') symbol.remove_suffix(1);
    const bool number = IsTapeNumber(first);

    csv += std::to_string(i + 1);
    csv.push_back(',');
    if (number) AppendCell(csv, first, false);
    csv.push_back(',');
    if (number) csv += WithoutGrouping(first);
    csv.push_back(',');
    if (number) AppendCell(csv, symbol, true);
    csv.push_back(',');
    AppendCell(csv, line, true);
    csv += "\r\n";
  }
  return csv;
}

TapeFileResult ExportTapeCsv(const std::string& path, std::span<const std::string> lines) {
  std::string reason;
  try {
    if (ReplaceTapeFile(path, FormatTapeCsv(lines), &reason)) return {true, "The tape was exported as: " + path};
  } catch (const std::bad_alloc&) {
    reason = "There is not enough memory";
  }
  return {false, "The tape could not be exported as \"" + path + "\": " + reason + "."};
}

}  // namespace tallix
