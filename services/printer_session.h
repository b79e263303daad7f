#pragma once
// A print job on a printer the user picks in the system print dialog (Windows
// only). The session owns the printer's DC and draws through a PrintLayout on
// it, so a report is the same series of calls as on the layout's tests:
//
//   PrinterSession printer;
//   if (!printer.Attach(owner)) return;  // cancelled, or printer.error() says why
//   PrintTapeReport(*printer.layout(), lines, stamp);
//   printer.Close();
//
// A failing call never throws and never stops the job: it records what went
// wrong in error(), for the caller to show or ignore.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "services/print_layout.h"

namespace tallix {

class PrinterSession {
 public:
  PrinterSession();
  ~PrinterSession();  // closes the job
  PrinterSession(const PrinterSession&) = delete;
  PrinterSession& operator=(const PrinterSession&) = delete;

  // Closes any job still open, shows the print dialog owned by `owner` and,
  // on OK, starts a document named `documentName` on the chosen printer. False
  // when cancelled (error() empty) or when the printer could not be had.
  bool Attach(HWND owner, std::wstring_view documentName = L"Print job");
  // The attached printer's device name; empty when none is attached.
  const std::wstring& printerName() const { return printerName_; }
  // The attached job's layout; nullptr when none is attached.
  PrintLayout* layout() { return layout_.get(); }

  // A font for PrintLayout::SetFont; its device font is made on the printer
  // the first time it is selected. Style bits: 1 bold, 2 italic, 4 underline,
  // 8 strikeout. The default font when no job is attached.
  PrintFont NewFont(std::wstring_view face, int points, int style);

  // Ends the open page and the document and releases the printer. Nothing
  // happens when none is attached.
  void Close();

  // What went wrong last (the step and the system's words); empty after a
  // job without failures. Attach clears it.
  const std::string& error() const { return error_; }

  class Device;  // the PrintSurface on the printer's DC

 private:
  void Fail(std::string_view step);

  std::unique_ptr<Device> device_;
  std::unique_ptr<PrintLayout> layout_;
  std::wstring printerName_;
  std::string error_;
};

}  // namespace tallix
