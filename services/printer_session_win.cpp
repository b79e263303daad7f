#include <windows.h>
// After windows.h, which it needs.
#include <cderr.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "services/codepage1252.h"
#include "services/file_io.h"
#include "services/printer_session.h"

#include "services/gdi_shapes.h"

namespace tallix {

namespace {

constexpr std::size_t kMaxPrinterNameLength = 260;
// Fixed-pitch, so that the blanks before a tape line right-align it on paper too.
constexpr wchar_t kDefaultFontFace[] = L"Courier New";

// The printer's texts are Windows-1252, as the tape's are.
std::string SystemWords(DWORD code) { return Utf8ToCp1252(file_io::ErrorText(code)); }

std::wstring Wide(std::string_view cp1252) {
  const std::u16string text = Cp1252ToUtf16(cp1252);
  return std::wstring(text.begin(), text.end());
}

// The print dialog comes up in front even when the program is not the
// foreground one (a command run from another window's menu).
UINT_PTR CALLBACK BringDialogForward(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) SetForegroundWindow(dialog);
  return 0;
}

struct PrintFontSpec {
  std::wstring face;
  int points = 0;
  int style = 0;
  HFONT device = nullptr;  // made on first selection
};

}  // namespace

class PrinterSession::Device final : public PrintSurface {
 public:
  Device(HDC dc, std::vector<BYTE> deviceMode, std::string& error)
      : dc_(dc), deviceMode_(std::move(deviceMode)), error_(error) {
    fonts_.push_back({kDefaultFontFace, 8, 0, nullptr});
    previousFont_ = SelectObject(dc_, FontOf(kDefaultPrintFont));
    SetBkMode(dc_, TRANSPARENT);
  }

  ~Device() override {
    if (previousFont_) SelectObject(dc_, previousFont_);
    for (PrintFontSpec& font : fonts_) {
      if (font.device) DeleteObject(font.device);
    }
    DeleteDC(dc_);
  }

  HDC dc() const { return dc_; }

  PrintFont AddFont(std::wstring_view face, int points, int style) {
    fonts_.push_back({std::wstring(face.substr(0, LF_FACESIZE - 1)), points, style, nullptr});
    return static_cast<PrintFont>(fonts_.size() - 1);
  }

  void StartPage() override {
    // The device mode was only read at the start of the document; a driver
    // may reset its settings between pages, so they are applied again.
    if (!deviceMode_.empty()) {
      if (!ResetDCW(dc_, reinterpret_cast<const DEVMODEW*>(deviceMode_.data()))) Record("Resetting the printer");
      SetBkMode(dc_, TRANSPARENT);
    }
    if (::StartPage(dc_) <= 0) Record("Starting a page");
  }

  PrintArea Area() override { return {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)}; }

  void EndPage() override {
    if (::EndPage(dc_) <= 0) Record("Ending a page");
  }

  void Draw(const PrintRun& run) override {
    SelectObject(dc_, FontOf(run.font));
    SetTextColor(dc_, run.colour);
    const std::wstring text = Wide(run.text);
    if (!TextOutW(dc_, run.x, run.y, text.c_str(), static_cast<int>(text.size()))) Record("Printing text");
  }

  int LineHeight(PrintFont font) override {
    SelectObject(dc_, FontOf(font));
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc_, &metrics)) return 0;
    return metrics.tmHeight + metrics.tmExternalLeading;
  }

  int TextWidth(PrintFont font, std::string_view text) override {
    SelectObject(dc_, FontOf(font));
    const std::wstring wide = Wide(text);
    SIZE size{};
    return GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size) ? size.cx : 0;
  }

  void Fill(const PrintBox& box, PrintColour colour) override {
    FillBox(dc_, {box.left, box.top, box.right, box.bottom}, colour);
  }

  void Polyline(std::span<const PrintPoint> points, PrintColour colour, int width) override {
    std::vector<POINT> corners;
    corners.reserve(points.size());
    for (const PrintPoint& point : points) corners.push_back({point.x, point.y});
    DrawPolyline(dc_, corners.data(), int(corners.size()), colour, width);
  }

  int DotsPerInch() override { return GetDeviceCaps(dc_, LOGPIXELSY); }

  void Record(std::string_view step) { error_ = std::string(step) + " failed: " + SystemWords(GetLastError()); }

 private:
  // Made for this printer's resolution, so a point is a point on paper.
  HFONT FontOf(PrintFont font) {
    PrintFontSpec& spec = fonts_[font >= 0 && static_cast<std::size_t>(font) < fonts_.size() ? font : 0];
    if (!spec.device) {
      LOGFONTW description{};
      description.lfHeight = PrintFontHeight(GetDeviceCaps(dc_, LOGPIXELSY), spec.points);
      description.lfWeight = spec.style & 1 ? FW_BOLD : FW_NORMAL;
      description.lfItalic = spec.style & 2 ? TRUE : FALSE;
      description.lfUnderline = spec.style & 4 ? TRUE : FALSE;
      description.lfStrikeOut = spec.style & 8 ? TRUE : FALSE;
      description.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(description.lfFaceName, spec.face.c_str(), LF_FACESIZE);
      spec.device = CreateFontIndirectW(&description);
      if (!spec.device) Record("Making a printer font");
    }
    return spec.device ? spec.device : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }

  HDC dc_;
  std::vector<BYTE> deviceMode_;
  std::string& error_;
  std::vector<PrintFontSpec> fonts_;
  HGDIOBJ previousFont_ = nullptr;
};

PrinterSession::PrinterSession() = default;

PrinterSession::~PrinterSession() { Close(); }

void PrinterSession::Fail(std::string_view step) {
  const DWORD dialogError = CommDlgExtendedError();
  const std::string reason = dialogError == PDERR_NODEFAULTPRN || dialogError == PDERR_NODEVICES
                                 ? "no printer is installed"
                             : dialogError ? "print dialog error " + std::to_string(dialogError)
                                           : SystemWords(GetLastError());
  error_ = std::string(step) + " failed: " + reason;
}

bool PrinterSession::Attach(HWND owner, std::wstring_view documentName) {
  Close();
  error_.clear();
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE |
                 PD_ENABLEPRINTHOOK;
  dialog.lpfnPrintHook = BringDialogForward;
  const BOOL chosen = PrintDlgW(&dialog);
  if (!chosen && CommDlgExtendedError() != 0) Fail("The print dialog");

  std::wstring name;
  std::vector<BYTE> deviceMode;
  if (dialog.hDevNames) {
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames))) {
      name = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
      GlobalUnlock(dialog.hDevNames);
    }
    GlobalFree(dialog.hDevNames);
  }
  if (dialog.hDevMode) {
    if (const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(dialog.hDevMode))) {
      const auto* bytes = reinterpret_cast<const BYTE*>(mode);
      deviceMode.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
      GlobalUnlock(dialog.hDevMode);
    }
    GlobalFree(dialog.hDevMode);
  }
  if (!chosen || !dialog.hDC) {
    if (chosen) error_ = "The print dialog gave no printer";
    if (dialog.hDC) DeleteDC(dialog.hDC);
    return false;
  }
  if (name.size() > kMaxPrinterNameLength) {
    error_ = "The printer's name is longer than " + std::to_string(kMaxPrinterNameLength) + " characters";
    DeleteDC(dialog.hDC);
    return false;
  }
  const std::wstring document(documentName);
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = document.c_str();
  if (StartDocW(dialog.hDC, &info) <= 0) {
    Fail("Starting the document");
    DeleteDC(dialog.hDC);
    return false;
  }
  device_ = std::make_unique<Device>(dialog.hDC, std::move(deviceMode), error_);
  layout_ = std::make_unique<PrintLayout>(*device_);
  printerName_ = std::move(name);
  return true;
}

PrintFont PrinterSession::NewFont(std::wstring_view face, int points, int style) {
  return device_ ? device_->AddFont(face, points, style) : kDefaultPrintFont;
}

void PrinterSession::Close() {
  if (!device_) return;
  layout_->FormFeed();
  if (EndDoc(device_->dc()) <= 0) device_->Record("Ending the document");
  layout_.reset();
  device_.reset();
  printerName_.clear();
}

}  // namespace tallix
