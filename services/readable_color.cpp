#include "services/readable_color.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tallix {
namespace {

double Channel(Rgb color, int shift) { return static_cast<double>((color >> shift) & 0xFF) / 255.0; }

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

struct Hsl {
  double hue, saturation, lightness;  // hue in turns, 0 to 1
};

Hsl ToHsl(Rgb color) {
  const double r = Channel(color, 0), g = Channel(color, 8), b = Channel(color, 16);
  const double high = std::max({r, g, b}), low = std::min({r, g, b}), range = high - low;
  Hsl hsl{0, 0, (high + low) / 2};
  if (range == 0) return hsl;
  hsl.saturation = range / (1 - std::abs(2 * hsl.lightness - 1));
  const double sixths = high == r   ? std::fmod((g - b) / range + 6, 6)
                        : high == g ? (b - r) / range + 2
                                    : (r - g) / range + 4;
  hsl.hue = sixths / 6;
  return hsl;
}

Rgb FromHsl(const Hsl& hsl) {
  const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
  const double sixths = hsl.hue * 6;
  const double second = chroma * (1 - std::abs(std::fmod(sixths, 2) - 1));
  const std::array<std::array<double, 3>, 6> sectors{{{chroma, second, 0},
                                                      {second, chroma, 0},
                                                      {0, chroma, second},
                                                      {0, second, chroma},
                                                      {second, 0, chroma},
                                                      {chroma, 0, second}}};
  const auto& [r, g, b] = sectors[std::min(static_cast<std::size_t>(sixths), std::size_t{5})];
  const double base = hsl.lightness - chroma / 2;
  const auto byte = [base](double part) {
    return static_cast<int>(std::lround(std::clamp(part + base, 0.0, 1.0) * 255));
  };
  return MakeRgb(byte(r), byte(g), byte(b));
}

}  // namespace

double RelativeLuminance(Rgb color) {
  return 0.2126 * Linear(Channel(color, 0)) + 0.7152 * Linear(Channel(color, 8)) + 0.0722 * Linear(Channel(color, 16));
}

double ContrastRatio(Rgb a, Rgb b) {
  // The braced list keeps the values: minmax of two temporaries would
  // return references to them.
  const auto [dark, light] = std::minmax({RelativeLuminance(a), RelativeLuminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

Rgb ReadableOn(Rgb color, Rgb background, double ratio) {
  if (ContrastRatio(color, background) >= ratio) return color;
  // White stands out from a dark background more than black does, and black
  // from a light one.
  const bool lighter = ContrastRatio(MakeRgb(255, 255, 255), background) >= ContrastRatio(0, background);
  Hsl hsl = ToHsl(color);
  // The lightness reached is found by halving the step: the ratio grows
  // steadily as the lightness moves away from the background's.
  double reaches = lighter ? 1.0 : 0.0, fails = hsl.lightness;
  for (int step = 0; step < 24; ++step) {
    hsl.lightness = (reaches + fails) / 2;
    (ContrastRatio(FromHsl(hsl), background) >= ratio ? reaches : fails) = hsl.lightness;
  }
  hsl.lightness = reaches;
  return FromHsl(hsl);
}

Rgb LightnessTurnedOver(Rgb color, double darkest, double lightest) {
  Hsl hsl = ToHsl(color);
  hsl.lightness = darkest + (1 - hsl.lightness) * (lightest - darkest);
  return FromHsl(hsl);
}

}  // namespace tallix
