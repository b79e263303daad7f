#include "ui/font_spec.h"

#include <climits>
#include <vector>

#include "ui/gdi_scope.h"

namespace tallix::ui {
namespace {

std::vector<std::wstring_view> SplitFields(std::wstring_view spec) {
  std::vector<std::wstring_view> fields;
  size_t start = 0;
  while (true) {
    size_t comma = spec.find(L',', start);
    fields.push_back(spec.substr(start, comma == std::wstring_view::npos ? spec.npos : comma - start));
    if (comma == std::wstring_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

// Optional blanks and sign, then digits; anything else reads as 0, and values
// beyond the int range are clamped.
int ParseInt(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  long long value = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits)
    if (value <= INT_MAX) value = value * 10 + (text[i] - L'0');
  while (i < text.size() && text[i] == L' ') ++i;
  if (digits == 0 || i != text.size()) return 0;
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int IntField(const std::vector<std::wstring_view>& fields, size_t index) {
  return index < fields.size() ? ParseInt(fields[index]) : 0;
}

int CALLBACK RememberCharset(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<BYTE*>(found) = font->lfCharSet;
  return 1;  // keep going: the last reported set wins
}

BYTE CharsetOfFace(const std::wstring& face) {
  BYTE charset = ANSI_CHARSET;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
  EnumFontFamiliesExW(WindowDC(nullptr), &query, RememberCharset, reinterpret_cast<LPARAM>(&charset), 0);
  return charset;
}

// A bitmap face has a few sizes only and does not grow with the screen's
// scale. Above the design DPI its TrueType counterpart takes its place, as
// Windows itself maps its dialog font; at 96 DPI the bitmap face keeps its
// crisp pixels.
std::wstring FaceAtDpi(const std::wstring& face, int dpi) {
  struct Counterpart {
    const wchar_t* bitmap;
    const wchar_t* trueType;
  };
  static constexpr Counterpart kCounterparts[] = {{L"MS Sans Serif", L"Microsoft Sans Serif"}};
  if (dpi > kDesignDpi)
    for (const Counterpart& pair : kCounterparts)
      if (lstrcmpiW(face.c_str(), pair.bitmap) == 0) return pair.trueType;
  return face;
}

struct CachedFont {
  std::wstring spec;
  int dpi;
  HFONT font;
};

std::vector<CachedFont>& Cache() {
  static std::vector<CachedFont> cache;
  return cache;
}

}  // namespace

std::optional<FontSpec> ParseFontSpec(std::wstring_view spec) {
  auto fields = SplitFields(spec);
  FontSpec font;
  font.face = std::wstring(fields[0].substr(0, LF_FACESIZE - 1));
  if (font.face.empty()) return std::nullopt;
  font.height = IntField(fields, 1);
  font.weight = IntField(fields, 5);
  font.italic = IntField(fields, 6) != 0;
  font.underline = IntField(fields, 7) != 0;
  font.strikeout = IntField(fields, 8) != 0;
  return font;
}

int FontSpecPixelHeight(int height, int dotsPerInchY) {
  if (height <= 0) return height;
  return -static_cast<int>(static_cast<long long>(height) * dotsPerInchY / 72);
}

int FontSpecHeightAtDpi(int height, int dpi) {
  if (height > 0) return FontSpecPixelHeight(height, dpi);
  return MulDiv(height, dpi, kDesignDpi);
}

HFONT FontFromSpec(std::wstring_view spec, int dpi) {
  auto& cache = Cache();
  for (const CachedFont& cached : cache)
    if (cached.dpi == dpi && cached.spec == spec) return cached.font;
  auto parsed = ParseFontSpec(spec);
  if (!parsed) return nullptr;

  const std::wstring face = FaceAtDpi(parsed->face, dpi);
  LOGFONTW lf{};
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  lf.lfHeight = FontSpecHeightAtDpi(parsed->height, dpi);
  lf.lfWeight = parsed->weight;
  lf.lfItalic = parsed->italic;
  lf.lfUnderline = parsed->underline;
  lf.lfStrikeOut = parsed->strikeout;
  lf.lfCharSet = CharsetOfFace(face);
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  HFONT font = CreateFontIndirectW(&lf);
  if (font) cache.push_back({std::wstring(spec), dpi, font});
  return font;
}

size_t FontCacheSize() { return Cache().size(); }

}  // namespace tallix::ui
