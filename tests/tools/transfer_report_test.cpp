// The transfer test's report on a recording surface: every line in its font,
// the columns padded to 18 characters, and the notes a run can leave.
#include "tools/transfer/transfer_report.h"

#include <gtest/gtest.h>

#include "tests/services/recording_print_surface.h"

namespace tallix::transfer {
namespace {

using print_test::RecordingSurface;

const ReportFields kFields{"OFFICE-PC",
                           "192.168.1.10",
                           "D:\\Test",
                           {"104,857,600", "2.5000000", "41,943,040", "335,544,320", "320.0000000"},
                           {"104,857,600", "0.0000000", kTooFastText, "", ""},
                           "",
                           ""};

TEST(TransferReport, LinesFontsAndColumns) {
  RecordingSurface surface;
  PrintLayout layout(surface);
  const PrintFont fonts[5] = {kDefaultPrintFont, 1, 2, 3, 4};
  PrintTransferReport(layout, fonts, TransferReport(kFields, "03-09-2024", "07:05:04"));
  ASSERT_EQ(surface.pages.size(), 1u);
  std::vector<std::string> lines;
  for (const print_test::RecordedRun& run : surface.pages[0]) {
    if (lines.empty() || run.x == 0) lines.emplace_back();
    lines.back() += std::to_string(run.font) + ":" + run.text + "|";
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "3:     File Transfer / Network Performance Results|",
                       "4:" + std::string(38, ' ') + "(Printed by Tallix on 03-09-2024 At 07:05:04)|",
                       "2: Computer Name: |1:OFFICE-PC|",
                       "2: IP Address   : |1:192.168.1.10|",
                       "2: Folder       : |1:D:\\Test|",
                       "2:" + std::string(24, ' ') + "---Writing---     ---Reading---|",
                       "2: Packet length   :      |1:104,857,600       104,857,600|",
                       "2: Time to complete:      |1:2.5000000         0.0000000|",
                       "2: Bytes per second:      |1:41,943,040        too fast to measure|",
                       "2: Bits per second :      |1:335,544,320       |",
                       "2:" + std::string(24, ' ') + "-------------     -------------|",
                       "2: Mbps:                  320.0000000       |",
                   }));
  // The empty first line, two under the stamp and two above the table.
  EXPECT_EQ(surface.pages[0][0].y, surface.lineHeight);
}

TEST(TransferReport, TableTextWithNotesAndLongValues) {
  ReportFields fields = kFields;
  fields.writing[0] = "9,223,372,036,854,775,807";
  fields.readCaveat = "file cache speed (Wine cannot bypass the cache)";
  fields.failure = "Reading failed on opening the test file: Access denied";
  const std::vector<ReportLine> table = ResultTable(fields);
  ASSERT_EQ(table.size(), 9u);
  EXPECT_EQ(PlainText(table[1]), " Packet length   :      9,223,372,036,854,775,807104,857,600");
  EXPECT_EQ(PlainText(table[7]), " Reading: file cache speed (Wine cannot bypass the cache)");
  EXPECT_EQ(PlainText(table[8]), " Reading failed on opening the test file: Access denied");
}

}  // namespace
}  // namespace tallix::transfer
