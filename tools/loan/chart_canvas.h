#pragma once
// What a loan chart is drawn on: the window's GDI, a printer's page or an SVG
// file. The chart lays itself out in the canvas's own pixels and draws with
// these few calls, so every surface shows the same shapes, hatching included.

#include <cstdint>
#include <span>
#include <string_view>

namespace tallix::loan {

using ChartColour = std::uint32_t;  // 0x00BBGGRR, as a COLORREF

inline constexpr ChartColour ChartRgb(int red, int green, int blue) {
  return ChartColour(red) | ChartColour(green) << 8 | ChartColour(blue) << 16;
}

struct ChartPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ChartPoint&) const = default;
};

// Right and bottom are outside the rectangle.
struct ChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

enum class TextAlign { kLeft, kCentre, kRight };

class ChartCanvas {
 public:
  virtual ~ChartCanvas() = default;
  virtual void FillRect(const ChartRect& rect, ChartColour colour) = 0;
  // A solid line through the points, `width` pixels wide.
  virtual void Polyline(std::span<const ChartPoint> points, ChartColour colour, int width) = 0;
  // One line of text whose top is at y, aligned on x as `align` says.
  virtual void Text(int x, int y, std::string_view text, ChartColour colour, TextAlign align) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight() = 0;
};

}  // namespace tallix::loan
