#include "tools/transfer/transfer_print_win.h"

#include <cstdio>
#include <string>

#include "services/printer_session.h"
#include "ui/utf8_text.h"

namespace tallix::transfer {

namespace {

constexpr wchar_t kFace[] = L"Courier New";
constexpr int kBold = 1;
constexpr int kItalic = 2;

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

void PrintTransferResults(HWND owner, const ReportFields& fields) {
  PrinterSession printer;
  if (printer.Attach(owner, L"Transfer Results") && !printer.printerName().empty()) {
    // Indexed as ReportFont: default, value, label, title, stamp.
    const PrintFont fonts[5] = {kDefaultPrintFont, printer.NewFont(kFace, 12, 0), printer.NewFont(kFace, 12, kBold),
                                printer.NewFont(kFace, 18, kBold), printer.NewFont(kFace, 8, kItalic)};
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string date = TwoDigits(now.wMonth) + "-" + TwoDigits(now.wDay) + "-" + std::to_string(now.wYear);
    const std::string time = TwoDigits(now.wHour) + ":" + TwoDigits(now.wMinute) + ":" + TwoDigits(now.wSecond);
    PrintTransferReport(*printer.layout(), fonts, TransferReport(fields, date, time));
    printer.Close();
  }
  if (!printer.error().empty()) {
    const std::wstring message = L"The results could not be printed: " + ui::ShownText(printer.error()) + L".";
    MessageBoxW(owner, message.c_str(), L"Tallix", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  }
}

}  // namespace tallix::transfer
