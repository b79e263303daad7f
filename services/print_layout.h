#pragma once
// The printing service's page arithmetic, apart from any printer: where each
// run of text goes, when a page starts and ends, how far a line end moves and
// how many lines fit on a page. A printer session implements PrintSurface on
// its device (a Win32 printer DC: StartPage/EndPage, the fonts it made,
// TextOut at the run's position) and reports print through a PrintLayout on
// it, so the layout is the same, and testable, without a printer.
//
// Nothing breaks pages by itself: a report that can be longer than a page
// counts its lines with LinesPerPage and calls FormFeed. A page starts only
// when something is first drawn on it, so a FormFeed before the document ends
// never makes an empty page.

#include <cstdint>
#include <span>
#include <string_view>

namespace tallix {

using PrintColour = std::uint32_t;  // 0x00BBGGRR

// A font of the surface. 0 is the built-in 8-point font a document starts
// with; the surface hands out the others and makes their device fonts.
using PrintFont = int;
inline constexpr PrintFont kDefaultPrintFont = 0;

// The printable area, in device pixels.
struct PrintArea {
  int width = 0;
  int height = 0;
};

// One run of text, drawn with its top-left corner at x, y device pixels from
// the top-left corner of the printable area, without filling its background.
// The text (Windows-1252) lives only for the call to Draw.
struct PrintRun {
  int x = 0;
  int y = 0;
  PrintFont font = kDefaultPrintFont;
  PrintColour colour = 0;
  std::string_view text;
};

// A corner of a line, and a box whose right and bottom lie outside it, in
// device pixels from the top-left corner of the printable area.
struct PrintPoint {
  int x = 0;
  int y = 0;
};
struct PrintBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  // Applies the device's settings afresh, then starts a page.
  virtual void StartPage() = 0;
  // The printable area of the page now open, or before the first page the
  // document's.
  virtual PrintArea Area() = 0;
  virtual void EndPage() = 0;
  virtual void Draw(const PrintRun& run) = 0;
  // Character height plus external leading, in device pixels.
  virtual int LineHeight(PrintFont font) = 0;
  virtual int TextWidth(PrintFont font, std::string_view text) = 0;
  // Pictures: a box filled with a colour, a solid line `width` pixels wide.
  virtual void Fill(const PrintBox& box, PrintColour colour) = 0;
  virtual void Polyline(std::span<const PrintPoint> points, PrintColour colour, int width) = 0;
  virtual int DotsPerInch() = 0;
};

class PrintLayout {
 public:
  // The document has started on `surface`; no page is open yet. Black text
  // in the default font.
  explicit PrintLayout(PrintSurface& surface);

  // Each of these opens a page when none is open.
  void SetFont(PrintFont font);
  // A value that is no colour (-1 as the system has it, or anything above
  // 0xFFFFFF) prints black.
  void SetColour(PrintColour colour);
  // Draws at the current position, which then moves to the end of the text.
  void Text(std::string_view text);
  // Back to the left edge, down by the line height of the font selected now.
  // The page's bottom edge is not checked.
  void EndLine();

  // Ends the open page, if any; the position goes back to the top-left corner.
  // The session's close does the same before ending the document.
  void FormFeed();

  // Whole lines of the selected font in the printable height; 0 when the
  // device reports no line height.
  int LinesPerPage() const;

  // A picture between lines: shapes and texts placed anywhere on the page,
  // which open a page when none is open and leave the position where it is;
  // Skip then moves the position below the picture.
  void Fill(const PrintBox& box, PrintColour colour);
  void Polyline(std::span<const PrintPoint> points, PrintColour colour, int width);
  void TextAt(int x, int y, PrintFont font, PrintColour colour, std::string_view text);
  int TextWidth(PrintFont font, std::string_view text) const { return surface_.TextWidth(font, text); }
  int LineHeight(PrintFont font) const { return surface_.LineHeight(font); }
  int DotsPerInch() const { return surface_.DotsPerInch(); }
  PrintArea Area() const { return area_; }
  // Back to the left edge, down by `pixels`.
  void Skip(int pixels);

  int x() const { return x_; }
  int y() const { return y_; }

 private:
  void OpenPage();

  PrintSurface& surface_;
  PrintArea area_;
  PrintFont font_ = kDefaultPrintFont;
  PrintColour colour_ = 0;
  int lineHeight_ = 0;
  int x_ = 0;
  int y_ = 0;
  bool pageOpen_ = false;
};

// The height, in device pixels, to ask of a device font of `points` (0 meaning
// 8) on a device of `pixelsPerInch` vertically: negative, as the system takes
// a character height, rounded to the nearest pixel.
int PrintFontHeight(int pixelsPerInch, int points);

}  // namespace tallix
