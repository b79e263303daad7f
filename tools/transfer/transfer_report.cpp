#include "tools/transfer/transfer_report.h"

namespace tallix::transfer {

namespace {

constexpr std::size_t kColumnWidth = 18;
const std::string kIndent(5, ' ');
const std::string kTableIndent(24, ' ');

// The writing value padded to the column, then the reading value; a longer
// writing value runs straight into the reading one.
std::string TwoColumns(const std::string& writing, const std::string& reading) {
  std::string text = writing;
  if (text.size() < kColumnWidth) text.append(kColumnWidth - text.size(), ' ');
  return text + reading;
}

}  // namespace

std::vector<ReportLine> ResultTable(const ReportFields& fields) {
  static constexpr const char* kLabels[] = {
      " Packet length   : ", " Time to complete: ", " Bytes per second: ", " Bits per second : "};
  std::vector<ReportLine> lines{{{ReportFont::kLabel, kTableIndent + "---Writing---     ---Reading---"}}};
  for (std::size_t row = 0; row < 4; ++row) {
    lines.push_back({{ReportFont::kLabel, kLabels[row] + kIndent},
                     {ReportFont::kValue, TwoColumns(fields.writing[row], fields.reading[row])}});
  }
  lines.push_back({{ReportFont::kLabel, kTableIndent + "-------------     -------------"}});
  lines.push_back(
      {{ReportFont::kLabel, " Mbps:             " + kIndent + TwoColumns(fields.writing[4], fields.reading[4])}});
  if (!fields.readCaveat.empty()) lines.push_back({{ReportFont::kValue, " Reading: " + fields.readCaveat}});
  if (!fields.failure.empty()) lines.push_back({{ReportFont::kValue, " " + fields.failure}});
  return lines;
}

std::vector<ReportLine> TransferReport(const ReportFields& fields, const std::string& date, const std::string& time) {
  std::vector<ReportLine> lines{
      {},
      {{ReportFont::kTitle, kIndent + "File Transfer / Network Performance Results"}},
      {{ReportFont::kStamp, std::string(38, ' ') + "(Printed by Tallix on " + date + " At " + time + ")"}},
      {},
      {},
      {{ReportFont::kLabel, " Computer Name: "}, {ReportFont::kValue, fields.computerName}},
      {{ReportFont::kLabel, " IP Address   : "}, {ReportFont::kValue, fields.ipAddress}},
      {{ReportFont::kLabel, " Folder       : "}, {ReportFont::kValue, fields.folder}},
      {},
      {},
  };
  for (ReportLine& line : ResultTable(fields)) lines.push_back(std::move(line));
  return lines;
}

std::string PlainText(const ReportLine& line) {
  std::string text;
  for (const ReportRun& run : line) text += run.text;
  return text;
}

void PrintTransferReport(PrintLayout& printer, const PrintFont (&fonts)[5], const std::vector<ReportLine>& report) {
  for (const ReportLine& line : report) {
    for (const ReportRun& run : line) {
      printer.SetFont(fonts[static_cast<int>(run.font)]);
      printer.Text(run.text);
    }
    printer.EndLine();
  }
  printer.FormFeed();
}

}  // namespace tallix::transfer
