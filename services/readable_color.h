#pragma once
// Colours measured as the eye reads them (relative luminance and contrast
// ratio, WCAG 2.x), and a colour made readable on a background by changing
// only its lightness: a user's caption colour keeps its hue in a dark window.
// Colours are 0x00BBGGRR, as Windows stores them.
#include <cstdint>

namespace tallix {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
  return static_cast<Rgb>(red) | static_cast<Rgb>(green) << 8 | static_cast<Rgb>(blue) << 16;
}

// 0 for black to 1 for white.
double RelativeLuminance(Rgb color);
// From 1 (the same luminance) to 21 (black on white), whichever is lighter.
double ContrastRatio(Rgb a, Rgb b);

// `color` itself when it already stands at `ratio` against `background`;
// otherwise the colour of its hue and saturation nearest to it in lightness
// that does (lighter on a dark background, darker on a light one). Black or
// white when even they fall short.
Rgb ReadableOn(Rgb color, Rgb background, double ratio);

// `color` with its lightness turned over between two ends (0 to 1): white
// becomes `darkest`, black `lightest`, hue and saturation kept. What a control
// that paints only light becomes in a dark window, its greys exactly so.
Rgb LightnessTurnedOver(Rgb color, double darkest, double lightest);

}  // namespace tallix
