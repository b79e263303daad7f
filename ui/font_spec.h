#pragma once
// Fonts named by a spec string of fourteen comma-separated fields in the order
// of LOGFONT: face, height, width, escapement, orientation, weight, italic,
// underline, strikeout, charset, output precision, clip precision, quality,
// pitch and family, e.g. "Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34".
// Only face, height, weight, italic, underline and strikeout are read.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/scaling.h"

namespace tallix::ui {

struct FontSpec {
  std::wstring face;  // at most LF_FACESIZE - 1 characters
  int height = 0;     // <= 0: character height in pixels; > 0: points
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

// nullopt for an empty face. Missing or malformed numbers read as 0.
std::optional<FontSpec> ParseFontSpec(std::wstring_view spec);

// Logical height for CreateFont: points become negative pixel heights.
int FontSpecPixelHeight(int height, int dotsPerInchY);

// The logical height at dpi of a spec's height: pixel heights are design
// pixels and scale from 96 DPI; points become pixels at dpi.
int FontSpecHeightAtDpi(int height, int dpi);

// The font of a spec string at dpi from the process-wide cache, made on first
// use. Above 96 DPI a bitmap face ("MS Sans Serif") gives way to its
// TrueType counterpart ("Microsoft Sans Serif"), which scales. The cache owns every font until the process ends: never
// delete the result. nullptr when the font string names no face or the font cannot be made.
HFONT FontFromSpec(std::wstring_view spec, int dpi = kDesignDpi);

// Number of fonts in the cache.
size_t FontCacheSize();

}  // namespace tallix::ui
